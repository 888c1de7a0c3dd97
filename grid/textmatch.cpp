#include "textmatch.h"

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

void appendFolded(const QString& text, std::u32string& buffer) {
    const QChar* chars = text.constData();
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        char32_t code = chars[i].unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < length && chars[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(char16_t(code), chars[++i].unicode());
        buffer.push_back(QChar::toCaseFolded(code));
    }
}

std::u32string foldedCodePoints(const QString& text) {
    std::u32string folded;
    appendFolded(text, folded);
    return folded;
}

bool isPattern(const QString& value) { return value.contains(u'%') || value.contains(u'_'); }

TextCondition::TextCondition(const QString& value)
    : folded_(foldedCodePoints(value)), isPattern_(grid::isPattern(value)) {}

bool TextCondition::matches(std::u32string_view foldedText) const {
    return isPattern_ ? matchesPattern(folded_, foldedText) : foldedText == folded_;
}

}  // namespace grid
