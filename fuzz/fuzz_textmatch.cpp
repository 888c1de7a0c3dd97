// The filter-row text matcher: the first line of the input is the condition,
// the rest the text. It never crashes or hangs, and every condition matches
// its own text ("%" and "_" match themselves).
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "grid/textmatch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype lineEnd = input.indexOf(u'\n');
    const QString condition = lineEnd < 0 ? input : input.left(lineEnd);
    const QString text = lineEnd < 0 ? QString() : input.mid(lineEnd + 1);

    const grid::TextCondition judged(condition);
    judged.matches(grid::foldedCodePoints(text));
    if (!judged.matches(grid::foldedCodePoints(condition))) std::abort();
    return 0;
}
