// The strict number reader on arbitrary text in two locales: it never
// crashes, and the raising reader agrees with the optional one.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "core/errors.h"
#include "core/number.h"

namespace {

void checkAgreement(const QString& text, const QLocale& locale) {
    const std::optional<double> read = wt::tryReadFloat(text, locale);
    try {
        const double raised = wt::readFloat(text, locale);
        if (!read || raised != *read) std::abort();
    } catch (const wt::Error&) {
        if (read) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    checkAgreement(text, QLocale::c());
    checkAgreement(text, QLocale(QLocale::German, QLocale::Germany));
    return 0;
}
