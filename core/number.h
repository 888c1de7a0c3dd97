#pragma once
// The one strict reading of a typed number, used wherever the client reads a
// number the user typed: optional blanks, optional sign, digits with at most
// one decimal separator of the locale and at least one digit, optional
// exponent, optional blanks, nothing else (no thousands separators).
#include <QLocale>
#include <QString>

#include <optional>

namespace wt {

std::optional<double> tryReadFloat(const QString& text, const QLocale& locale = QLocale());
// Raises "'%s' is not a valid floating point value" with the text as typed.
double readFloat(const QString& text, const QLocale& locale = QLocale());

}  // namespace wt
