#include "textmatch.h"

#include <QList>

namespace grid {

namespace {

bool matchesPattern(std::u32string_view pattern, std::u32string_view text) {
    constexpr auto none = std::u32string_view::npos;
    size_t p = 0, t = 0;
    size_t starP = none, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == U'%') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern[p] == U'_' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (starP != none) {
            // Let the last "%" swallow one more character and retry from there.
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'%') ++p;
    return p == pattern.size();
}

}  // namespace

std::u32string foldedCodePoints(const QString& text) {
    const QList<uint> ucs4 = text.toCaseFolded().toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

bool isPattern(const QString& value) { return value.contains(u'%') || value.contains(u'_'); }

TextCondition::TextCondition(const QString& value)
    : folded_(foldedCodePoints(value)), isPattern_(grid::isPattern(value)) {}

bool TextCondition::matches(std::u32string_view foldedText) const {
    return isPattern_ ? matchesPattern(folded_, foldedText) : foldedText == folded_;
}

}  // namespace grid
