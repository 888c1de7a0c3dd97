#include "format.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

#include "gridmodel.h"

namespace grid {

QString displayDateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy"))) format.replace(QStringLiteral("yy"), "yyyy");
    return format;
}

QString formatSum(double value, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    // A value that rounds to zero shows as "0.00", never as "-0.00".
    const double rounded = std::round(value * 100.0) / 100.0;
    const QString digits = grouped.toString(std::fabs(value), 'f', 2);
    return rounded < 0 ? u'-' + digits : digits;
}

QString formatValue(FieldType type, const QVariant& value, const QLocale& locale) {
    if (!value.isValid() || value.isNull()) return {};
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    switch (type) {
        case FieldType::Text:
            return value.toString();
        case FieldType::Integer:
            return plain.toString(value.toLongLong());
        case FieldType::Float:
            return plain.toString(value.toDouble(), 'g', 15);
        case FieldType::Date:
            return locale.toString(value.toDate(), displayDateFormat(locale));
        case FieldType::DateTime:
            return locale.toString(value.toDateTime(), displayDateFormat(locale) + u' ' +
                                                           locale.timeFormat(QLocale::ShortFormat));
        case FieldType::Boolean:
            return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    }
    return {};
}

std::optional<QDate> readDate(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    for (const QString& format :
         {displayDateFormat(locale), locale.dateFormat(QLocale::ShortFormat)}) {
        const QDate date = locale.toDate(trimmed, format);
        if (date.isValid()) return date;
    }
    return std::nullopt;
}

}  // namespace grid
