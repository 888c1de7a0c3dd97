#pragma once
// Failures show texts as text. Every test file of this program includes it,
// so that all of them print QString alike.
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
