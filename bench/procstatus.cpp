#include "bench/procstatus.h"

#include <QFile>

namespace bench {
namespace {

// "VmRSS:     1234 kB" -> 1234
qint64 kilobytesAfter(const QByteArray& line, const QByteArray& key) {
    return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
}

}  // namespace

MemoryStatus memoryStatus() {
    QFile status(QStringLiteral("/proc/self/status"));
    MemoryStatus result;
    if (!status.open(QIODevice::ReadOnly)) return result;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) result.residentKb = kilobytesAfter(line, "VmRSS:");
        if (line.startsWith("VmHWM:")) result.peakKb = kilobytesAfter(line, "VmHWM:");
    }
    return result;
}

}  // namespace bench
