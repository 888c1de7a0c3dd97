#include "filter.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <bit>
#include <unordered_set>

#include "core/number.h"
#include "format.h"
#include "textmatch.h"

namespace grid {

namespace {

using Verdicts = std::vector<std::uint8_t>;

bool isNullValue(const QVariant& value) { return !value.isValid() || value.isNull(); }

void keepWhere(Verdicts& verdicts, const ColumnIndex& index, auto passes) {
    verdicts[0] = 0;  // a NULL matches no filter-row value
    for (std::uint32_t id = 1; id < index.idCount(); ++id)
        if (verdicts[id] && !(index.isUsed(id) && passes(id))) verdicts[id] = 0;
}

void keepNone(Verdicts& verdicts) { std::fill(verdicts.begin(), verdicts.end(), 0); }

void judgeText(Verdicts& verdicts, ColumnIndex& index, const QString& value) {
    const TextCondition condition(value);
    keepWhere(verdicts, index,
              [&](std::uint32_t id) { return condition.matches(index.folded(id)); });
}

std::optional<double> numberOfValue(const QVariant& value, const QLocale& locale) {
    if (value.typeId() == QMetaType::QString) return wt::tryReadFloat(value.toString(), locale);
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

std::optional<qint64> dayOfValue(const QVariant& value, const QLocale& locale) {
    if (value.typeId() == QMetaType::QDate) return value.toDate().toJulianDay();
    if (value.typeId() == QMetaType::QDateTime) return value.toDateTime().date().toJulianDay();
    const std::optional<QDate> date = readDate(value.toString(), locale);
    return date ? std::optional<qint64>(date->toJulianDay()) : std::nullopt;
}

std::optional<bool> booleanOfValue(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    const QString text = value.toString();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

qint64 dayOfMSecs(qint64 msecs) {
    return QDateTime::fromMSecsSinceEpoch(msecs).date().toJulianDay();
}

void judgeValue(Verdicts& verdicts, ColumnIndex& index, const QVariant& value,
                const QLocale& locale) {
    switch (index.type()) {
        case FieldType::Text:
            return judgeText(verdicts, index, value.toString());
        case FieldType::Integer:
        case FieldType::Float:
            if (const auto number = numberOfValue(value, locale))
                return keepWhere(verdicts, index,
                                 [&](std::uint32_t id) { return index.number(id) == *number; });
            return keepNone(verdicts);
        case FieldType::Date:
            if (const auto day = dayOfValue(value, locale))
                return keepWhere(verdicts, index,
                                 [&](std::uint32_t id) { return index.integer(id) == *day; });
            return keepNone(verdicts);
        case FieldType::DateTime:
            if (const auto day = dayOfValue(value, locale))
                return keepWhere(verdicts, index, [&](std::uint32_t id) {
                    return dayOfMSecs(index.integer(id)) == *day;
                });
            return keepNone(verdicts);
        case FieldType::Boolean:
            if (const auto wanted = booleanOfValue(value))
                return keepWhere(verdicts, index, [&](std::uint32_t id) {
                    return (index.integer(id) != 0) == *wanted;
                });
            return keepNone(verdicts);
    }
}

// Checked values compare exactly: the drop-down offers the column's own values.
std::uint64_t exactKey(const ColumnIndex& index, std::uint32_t id) {
    if (index.type() == FieldType::Float)
        return std::bit_cast<std::uint64_t>(index.number(id) + 0.0);
    return std::uint64_t(index.integer(id));
}

std::uint64_t exactKey(FieldType type, const QVariant& value) {
    switch (type) {
        case FieldType::Float:
            return std::bit_cast<std::uint64_t>(value.toDouble() + 0.0);
        case FieldType::Date:
            return std::uint64_t(value.toDate().toJulianDay());
        case FieldType::DateTime:
            return std::uint64_t(value.toDateTime().toMSecsSinceEpoch());
        case FieldType::Boolean:
            return value.toBool() ? 1 : 0;
        default:
            return std::uint64_t(value.toLongLong());
    }
}

void judgeChecked(Verdicts& verdicts, const ColumnIndex& index,
                  const std::vector<QVariant>& checked) {
    bool blanks = false;
    QSet<QString> texts;
    std::unordered_set<std::uint64_t> keys;
    for (const QVariant& value : checked) {
        if (isNullValue(value))
            blanks = true;
        else if (index.type() == FieldType::Text)
            texts.insert(value.toString());
        else
            keys.insert(exactKey(index.type(), value));
    }
    if (!blanks) verdicts[0] = 0;
    for (std::uint32_t id = 1; id < index.idCount(); ++id) {
        const bool isChecked = index.type() == FieldType::Text ? texts.contains(index.text(id))
                                                               : keys.contains(exactKey(index, id));
        if (!isChecked) verdicts[id] = 0;
    }
}

QString literal(FieldType type, const QVariant& value, const QLocale& locale) {
    const bool typed = value.typeId() == QMetaType::QString;
    const QString text = typed ? value.toString() : formatValue(type, value, locale);
    if (type == FieldType::Integer || type == FieldType::Float || type == FieldType::Boolean)
        return text;
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString describeValue(const QString& name, FieldType type, const QVariant& value,
                      const QLocale& locale) {
    const bool like = type == FieldType::Text && isPattern(value.toString());
    return name + (like ? QStringLiteral(" like ") : QStringLiteral(" = ")) +
           literal(type, value, locale);
}

QString describeChecked(const QString& name, FieldType type, const std::vector<QVariant>& checked,
                        const QLocale& locale) {
    QStringList values;
    bool blanks = false;
    for (const QVariant& value : checked) {
        if (isNullValue(value))
            blanks = true;
        else
            values << literal(type, value, locale);
    }
    QString inValues = values.size() == 1 ? name + QStringLiteral(" = ") + values.front()
                                          : name + QStringLiteral(" in (") +
                                                values.join(QStringLiteral(", ")) + u')';
    if (!blanks) return inValues;
    const QString isBlank = name + QStringLiteral(" is blank");
    if (values.isEmpty()) return isBlank;
    return u'(' + isBlank + QStringLiteral(" or ") + inValues + u')';
}

}  // namespace

bool ColumnFilter::hasValue() const {
    return !isNullValue(value) &&
           !(value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

Verdicts judge(ColumnIndex& index, const ColumnFilter& filter, const QLocale& locale) {
    Verdicts result(index.idCount(), 1);
    if (filter.hasValue()) judgeValue(result, index, filter.value, locale);
    if (filter.checked) judgeChecked(result, index, *filter.checked);
    return result;
}

QVariant valueOfId(const ColumnIndex& index, std::uint32_t id) {
    if (id == 0) return {};
    switch (index.type()) {
        case FieldType::Text:
            return index.text(id);
        case FieldType::Integer:
            return index.integer(id);
        case FieldType::Float:
            return index.number(id);
        case FieldType::Date:
            return QDate::fromJulianDay(index.integer(id));
        case FieldType::DateTime:
            return QDateTime::fromMSecsSinceEpoch(index.integer(id));
        case FieldType::Boolean:
            return index.integer(id) != 0;
    }
    return {};
}

QString describe(const QString& caption, FieldType type, const ColumnFilter& filter,
                 const QLocale& locale) {
    const QString name = u'[' + caption + u']';
    QStringList parts;
    if (filter.hasValue()) parts << describeValue(name, type, filter.value, locale);
    if (filter.checked) parts << describeChecked(name, type, *filter.checked, locale);
    return parts.join(QStringLiteral(" and "));
}

}  // namespace grid
