#pragma once
// This process's resident memory as the kernel counts it, for the memory
// that a loaded report adds.
#include <QtGlobal>

namespace bench {

struct MemoryStatus {
    qint64 residentKb = 0;  // VmRSS
    qint64 peakKb = 0;      // VmHWM: the highest VmRSS so far
};

MemoryStatus memoryStatus();

}  // namespace bench
