#include "number.h"

#include <charconv>
#include <cmath>
#include <string>

#include "errors.h"

namespace wt {
namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Copies the digits of the text at pos into out; returns how many.
int takeDigits(const QString& text, qsizetype& pos, std::string& out) {
    int count = 0;
    for (; pos < text.size() && isAsciiDigit(text[pos]); ++pos, ++count)
        out.push_back(char(text[pos].unicode()));
    return count;
}

void takeSign(const QString& text, qsizetype& pos, std::string& out) {
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        out.push_back(char(text[pos++].unicode()));
}

void skipBlanks(const QString& text, qsizetype& pos) {
    while (pos < text.size() && text[pos] == u' ') ++pos;
}

}  // namespace

std::optional<double> tryReadFloat(const QString& text, const QLocale& locale) {
    const QString decimal = locale.decimalPoint();
    std::string canonical;  // rewritten with "." for a locale-free conversion
    qsizetype pos = 0;
    skipBlanks(text, pos);
    takeSign(text, pos, canonical);
    int digits = takeDigits(text, pos, canonical);
    if (!decimal.isEmpty() && text.mid(pos, decimal.size()) == decimal) {
        pos += decimal.size();
        canonical.push_back('.');
        digits += takeDigits(text, pos, canonical);
    }
    if (digits == 0) return std::nullopt;
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        canonical.push_back('e');
        ++pos;
        takeSign(text, pos, canonical);
        if (takeDigits(text, pos, canonical) == 0) return std::nullopt;
    }
    skipBlanks(text, pos);
    if (pos != text.size()) return std::nullopt;
    double value = 0;
    const char* first = canonical.data() + (canonical.front() == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(first, canonical.data() + canonical.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    return value;
}

double readFloat(const QString& text, const QLocale& locale) {
    if (auto value = tryReadFloat(text, locale)) return *value;
    throw Error(QStringLiteral("'%1' is not a valid floating point value").arg(text),
                QStringLiteral("EConvertError"));
}

}  // namespace wt
