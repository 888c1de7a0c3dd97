// The concrete columns: one template over how a kind is read from the
// server's text, held and written back, plus the dictionary text column.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>

#include "core/number.h"
#include "db_error.h"
#include "table.h"
#include "textdictionary.h"

namespace pg {
namespace {

constexpr qint64 kEpochJulianDay = 2440588;  // 1970-01-01
constexpr qint64 kMicrosPerDay = 86400LL * 1000 * 1000;

[[noreturn]] void unreadable(std::string_view text, const char* what) {
    throw DbError(
        QStringLiteral("'%1' is not a valid %2 value")
            .arg(QString::fromUtf8(text.data(), qsizetype(text.size())), QLatin1String(what)));
}

qint64 floorDiv(qint64 a, qint64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's
// civil calendar algorithms), so dates never pass through QDate while fetched.
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d) {
    y -= m <= 2;
    const qint64 era = floorDiv(y, 400);
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + qint64(doe) - 719468;
}

struct Civil {
    qint64 year;
    unsigned month, day;
};
Civil civilFromDays(qint64 z) {
    z += 719468;
    const qint64 era = floorDiv(z, 146097);
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {qint64(yoe) + era * 400 + (m <= 2), m, d};
}

// Reads the server's ISO date and time texts ("2024-01-31", "10:20:30.5",
// "2024-01-31 10:20:30+02", with " BC" for years before Christ).
class Reader {
  public:
    Reader(std::string_view text, const char* what) : text_(text), what_(what) {
        if (text_.size() > 3 && text_.substr(text_.size() - 3) == " BC") {
            beforeChrist_ = true;
            text_.remove_suffix(3);
        }
    }

    qint64 number(int minDigits = 1) {
        qint64 value = 0;
        int count = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9' && count < 18) {
            value = value * 10 + (text_[pos_++] - '0');
            ++count;
        }
        if (count < minDigits) fail();
        return value;
    }
    void expect(char c) {
        if (!take(c)) fail();
    }
    bool take(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    bool atEnd() const { return pos_ == text_.size(); }
    void finish() {
        if (!atEnd()) fail();
    }
    [[noreturn]] void fail() const { unreadable(text_, what_); }

    qint64 days() {
        qint64 year = number(4);
        expect('-');
        const qint64 month = number(2);
        expect('-');
        const qint64 day = number(2);
        if (month < 1 || month > 12 || day < 1 || day > 31) fail();
        if (beforeChrist_) year = 1 - year;
        return daysFromCivil(year, unsigned(month), unsigned(day));
    }
    qint64 timeOfDayMicros() {
        qint64 micros = number(2) * 3600;
        expect(':');
        micros += number(2) * 60;
        expect(':');
        micros = (micros + number(2)) * 1000000;
        if (take('.')) {
            const std::size_t start = pos_;
            qint64 fraction = number();
            for (std::size_t digits = pos_ - start; digits < 6; ++digits) fraction *= 10;
            if (pos_ - start > 6) fail();
            micros += fraction;
        }
        return micros;
    }
    // A zone offset such as +02, -03:30 or +05:30:15, in seconds east of UTC.
    qint64 zoneOffsetSeconds() {
        const bool west = take('-');
        if (!west) expect('+');
        qint64 seconds = number(2) * 3600;
        if (take(':')) seconds += number(2) * 60;
        if (take(':')) seconds += number(2);
        return west ? -seconds : seconds;
    }

  private:
    std::string_view text_;
    const char* what_;
    std::size_t pos_ = 0;
    bool beforeChrist_ = false;
};

QByteArray dateText(qint64 days) {
    const Civil c = civilFromDays(days);
    const bool bc = c.year <= 0;
    char buffer[48];
    const int n = std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u%s",
                                static_cast<long long>(bc ? 1 - c.year : c.year), c.month, c.day,
                                bc ? " BC" : "");
    return QByteArray(buffer, n);
}

QByteArray timeText(qint64 micros) {
    char buffer[32];
    const qint64 seconds = micros / 1000000;
    const int n = std::snprintf(
        buffer, sizeof buffer, "%02lld:%02lld:%02lld.%06lld",
        static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
        static_cast<long long>(seconds % 60), static_cast<long long>(micros % 1000000));
    return QByteArray(buffer, n);
}

QByteArray dateTimeText(qint64 micros, bool withZone) {
    const qint64 days = floorDiv(micros, kMicrosPerDay);
    QByteArray text = dateText(days);
    const bool bc = text.endsWith(" BC");
    if (bc) text.chop(3);
    text += ' ' + timeText(micros - days * kMicrosPerDay);
    if (withZone) text += "+00";
    if (bc) text += " BC";
    return text;
}

bool isEmptyText(const QVariant& value) {
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

template <typename T>
T readNumber(std::string_view text, const char* what) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) unreadable(text, what);
    return value;
}

template <typename T>
QByteArray numberText(T value) {
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(result.ptr - buffer));
}

// Defaults for what a kind of column does not meaningfully convert to.
struct NoDateReads {
    template <typename V>
    static qint64 toJulianDay(V) {
        return 0;
    }
    template <typename V>
    static qint64 toMSecs(V) {
        return 0;
    }
};

template <typename T>
struct IntegerTraits : NoDateReads {
    using Value = T;
    Value parse(std::string_view text) const { return readNumber<T>(text, "integer"); }
    QByteArray serverText(Value v) const { return numberText(v); }
    Value fromVariant(const QVariant& value) const {
        bool ok = false;
        const qlonglong v = value.toLongLong(&ok);
        if (!ok || v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
            unreadable(value.toString().toStdString(), "integer");
        return T(v);
    }
    static double toFloat(Value v) { return double(v); }
    static qint64 toInteger(Value v) { return v; }
    static bool toBoolean(Value v) { return v != 0; }
    static QString toText(Value v) { return QString::number(v); }
};

struct FloatTraits : NoDateReads {
    using Value = double;
    Value parse(std::string_view text) const { return readNumber<double>(text, "floating point"); }
    // Shortest text that reads back as the same double; the server parses it
    // into the column's own type (numeric, double precision, real).
    QByteArray serverText(Value v) const {
        if (std::isnan(v)) return "NaN";
        if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
        return numberText(v);
    }
    Value fromVariant(const QVariant& value) const {
        if (value.typeId() == QMetaType::QString) return wt::readFloat(value.toString());
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (!ok) unreadable(value.toString().toStdString(), "floating point");
        return v;
    }
    static double toFloat(Value v) { return v; }
    static qint64 toInteger(Value v) { return std::isfinite(v) ? qint64(std::llround(v)) : 0; }
    static bool toBoolean(Value v) { return v != 0; }
    QString toText(Value v) const { return QString::fromLatin1(serverText(v)); }
};

struct BooleanTraits : NoDateReads {
    using Value = std::uint8_t;
    Value parse(std::string_view text) const {
        if (text == "t") return 1;
        if (text == "f") return 0;
        unreadable(text, "boolean");
    }
    QByteArray serverText(Value v) const { return v ? "t" : "f"; }
    Value fromVariant(const QVariant& value) const { return value.toBool(); }
    static double toFloat(Value v) { return v; }
    static qint64 toInteger(Value v) { return v; }
    static bool toBoolean(Value v) { return v; }
    static QString toText(Value v) { return v ? QStringLiteral("True") : QStringLiteral("False"); }
};

// Days since 1970-01-01.
struct DateTraits {
    using Value = std::int32_t;
    Value parse(std::string_view text) const {
        Reader reader(text, "date");
        const qint64 days = reader.days();
        reader.finish();
        return Value(days);
    }
    QByteArray serverText(Value v) const { return dateText(v); }
    Value fromVariant(const QVariant& value) const {
        const QDate date = value.toDate();
        if (!date.isValid()) unreadable(value.toString().toStdString(), "date");
        return Value(date.toJulianDay() - kEpochJulianDay);
    }
    static double toFloat(Value v) { return v; }
    static qint64 toInteger(Value v) { return v; }
    static bool toBoolean(Value v) { return v != 0; }
    static qint64 toJulianDay(Value v) { return v + kEpochJulianDay; }
    static qint64 toMSecs(Value v) { return qint64(v) * 86400 * 1000; }
    QString toText(Value v) const { return QString::fromLatin1(serverText(v)); }
};

// Microseconds since 1970-01-01 00:00: the wall-clock time of a timestamp, or
// the UTC instant of a timestamp with time zone.
struct DateTimeTraits {
    using Value = qint64;
    bool withZone = false;

    Value parse(std::string_view text) const {
        Reader reader(text, "date and time");
        qint64 micros = reader.days() * kMicrosPerDay;
        reader.expect(' ');
        micros += reader.timeOfDayMicros();
        if (withZone) micros -= reader.zoneOffsetSeconds() * 1000000;
        reader.finish();
        return micros;
    }
    QByteArray serverText(Value v) const { return dateTimeText(v, withZone); }
    Value fromVariant(const QVariant& value) const {
        const QDateTime dateTime = value.toDateTime();
        if (!dateTime.isValid()) unreadable(value.toString().toStdString(), "date and time");
        const QDateTime asStored =
            withZone ? dateTime : QDateTime(dateTime.date(), dateTime.time(), Qt::UTC);
        return asStored.toMSecsSinceEpoch() * 1000;
    }
    static double toFloat(Value v) { return double(v) / kMicrosPerDay; }
    static qint64 toInteger(Value v) { return v; }
    static bool toBoolean(Value v) { return v != 0; }
    static qint64 toJulianDay(Value v) { return floorDiv(v, kMicrosPerDay) + kEpochJulianDay; }
    static qint64 toMSecs(Value v) { return floorDiv(v, 1000); }
    QString toText(Value v) const { return QString::fromLatin1(dateTimeText(v, false)); }
};

// Microseconds since midnight.
struct TimeTraits : NoDateReads {
    using Value = qint64;
    Value parse(std::string_view text) const {
        Reader reader(text, "time");
        const qint64 micros = reader.timeOfDayMicros();
        reader.finish();
        return micros;
    }
    QByteArray serverText(Value v) const { return timeText(v); }
    Value fromVariant(const QVariant& value) const {
        const QTime time = value.toTime();
        if (!time.isValid()) unreadable(value.toString().toStdString(), "time");
        return qint64(time.msecsSinceStartOfDay()) * 1000;
    }
    static double toFloat(Value v) { return double(v) / kMicrosPerDay; }
    static qint64 toInteger(Value v) { return v; }
    static bool toBoolean(Value v) { return v != 0; }
    static qint64 toMSecs(Value v) { return v / 1000; }
    QString toText(Value v) const { return QString::fromLatin1(timeText(v)); }
};

// NULL flags, kept only once a column has met its first NULL.
class NullMask {
  public:
    bool test(int row) const { return active_ && bits_[size_t(row)]; }
    void append(bool isNull, int rowsBefore) {
        if (isNull) activate(rowsBefore);
        if (active_) bits_.push_back(isNull);
    }
    void set(int row, bool isNull, int rows) {
        if (isNull) activate(rows);
        if (active_) bits_[size_t(row)] = isNull;
    }
    void insert(int row, bool isNull, int rowsBefore) {
        if (isNull) activate(rowsBefore);
        if (active_) bits_.insert(bits_.begin() + row, isNull);
    }
    void remove(int row) {
        if (active_) bits_.erase(bits_.begin() + row);
    }
    std::size_t memoryBytes() const { return bits_.capacity() / 8; }
    void squeeze() { bits_.shrink_to_fit(); }

  private:
    void activate(int rows) {
        if (!active_) bits_.assign(size_t(rows), false);
        active_ = true;
    }
    std::vector<bool> bits_;
    bool active_ = false;
};

// A column's values in one array.
template <typename V>
class PlainValues {
  public:
    V get(std::size_t row) const { return values_[row]; }
    void set(std::size_t row, V value) { values_[row] = value; }
    void push_back(V value) { values_.push_back(value); }
    void insert(std::size_t row, V value) {
        values_.insert(values_.begin() + std::ptrdiff_t(row), value);
    }
    void erase(std::size_t row) { values_.erase(values_.begin() + std::ptrdiff_t(row)); }
    void reserve(std::size_t rows) { values_.reserve(rows); }
    std::size_t size() const { return values_.size(); }
    std::size_t memoryBytes() const { return values_.capacity() * sizeof(V); }
    void squeeze() { values_.shrink_to_fit(); }

  private:
    std::vector<V> values_;
};

// Floating-point values repeat a great deal in a result (rates; amounts
// spread over buckets that are zero in all but one), so each distinct value
// is kept once, by its bits (-0 and NaN stay as read), and a row holds its
// id in one, two or four bytes. A column whose values hardly repeat turns
// into a plain array once that takes less room.
class RepeatedDoubles {
  public:
    double get(std::size_t row) const {
        return plain_ ? plainValues_.get(row) : values_[ids_.get(row)];
    }
    void set(std::size_t row, double value) {
        plain_ ? plainValues_.set(row, value) : ids_.set(row, idOf(value));
    }
    void push_back(double value) {
        if (plain_) return plainValues_.push_back(value);
        ids_.push_back(idOf(value));
        if (ids_.size() == nextReview_) review();
    }
    void insert(std::size_t row, double value) {
        plain_ ? plainValues_.insert(row, value) : ids_.insert(row, idOf(value));
    }
    void erase(std::size_t row) { plain_ ? plainValues_.erase(row) : ids_.erase(row); }
    std::size_t size() const { return plain_ ? plainValues_.size() : ids_.size(); }
    std::size_t memoryBytes() const {
        return plainValues_.memoryBytes() + ids_.memoryBytes() +
               values_.capacity() * sizeof(double) + index_.memoryBytes();
    }
    // The look-up index goes; a later change rebuilds it.
    void squeeze() {
        plainValues_.squeeze();
        ids_.squeeze();
        values_.shrink_to_fit();
        index_.drop();
    }

  private:
    // Reviewed at 65,536 rows and each doubling after: early rows would
    // judge a column by too few values.
    static constexpr std::size_t firstReview = 65536;
    static std::size_t hashOf(std::uint64_t bits) {
        bits ^= bits >> 31;
        bits *= 0x9E3779B97F4A7C15ull;
        return std::size_t(bits ^ (bits >> 29));
    }
    static std::uint64_t bitsOf(double value) { return std::bit_cast<std::uint64_t>(value); }
    std::uint32_t idOf(double value) {
        const std::uint64_t bits = bitsOf(value);
        const auto newId = std::uint32_t(values_.size());
        const std::uint32_t id = index_.idOf(
            hashOf(bits), newId,
            [&](std::uint32_t known) { return bitsOf(values_[known]) == bits; },
            [&](std::uint32_t known) { return hashOf(bitsOf(values_[known])); });
        if (id == newId) values_.push_back(value);
        return id;
    }
    // Plain takes 8 bytes a row; the ids take their width plus, spread over
    // the rows, each distinct value with its share of the index.
    void review() {
        nextReview_ *= 2;
        const std::size_t width = values_.size() <= 0x100 ? 1 : values_.size() <= 0x10000 ? 2 : 4;
        if (width * ids_.size() + 16 * values_.size() < sizeof(double) * ids_.size()) return;
        plainValues_.reserve(ids_.size());
        for (std::size_t row = 0; row < ids_.size(); ++row)
            plainValues_.push_back(values_[ids_.get(row)]);
        ids_ = {};
        values_ = {};
        index_.drop();
        plain_ = true;
    }

    bool plain_ = false;
    PlainValues<double> plainValues_;
    IdVector ids_;
    std::vector<double> values_;
    IdIndex index_;
    std::size_t nextReview_ = firstReview;
};

template <typename Traits, typename Store = PlainValues<typename Traits::Value>>
class ValueColumn final : public Column {
  public:
    using Value = typename Traits::Value;
    ValueColumn(QString name, FieldKind kind, Traits traits = {})
        : Column(std::move(name), kind), traits_(traits) {}

    int rowCount() const override { return int(values_.size()); }
    bool isNull(int row) const override { return nulls_.test(row); }
    double asFloat(int row) const override { return isNull(row) ? 0 : traits_.toFloat(at(row)); }
    qint64 asInteger(int row) const override {
        return isNull(row) ? 0 : traits_.toInteger(at(row));
    }
    bool asBoolean(int row) const override {
        return isNull(row) ? false : traits_.toBoolean(at(row));
    }
    qint64 asJulianDay(int row) const override {
        return isNull(row) ? 0 : traits_.toJulianDay(at(row));
    }
    qint64 asMSecs(int row) const override { return isNull(row) ? 0 : traits_.toMSecs(at(row)); }
    QString asText(int row) const override {
        return isNull(row) ? QString() : traits_.toText(at(row));
    }

    void appendRaw(const char* text, int length) override {
        values_.push_back(traits_.parse(std::string_view(text, size_t(length))));
        nulls_.append(false, rowCount() - 1);
    }
    void appendNull() override {
        values_.push_back(Value{});
        nulls_.append(true, rowCount() - 1);
    }
    void setRaw(int row, const char* text, int length) override {
        store(row, traits_.parse(std::string_view(text, size_t(length))));
    }
    void setVariant(int row, const QVariant& value) override {
        if (Column::isNullVariant(value) || isEmptyText(value)) return setNull(row);
        store(row, traits_.fromVariant(value));
    }
    void setNull(int row) override {
        values_.set(size_t(row), Value{});
        nulls_.set(row, true, rowCount());
    }
    void insertNull(int row) override {
        values_.insert(size_t(row), Value{});
        nulls_.insert(row, true, rowCount() - 1);
    }
    void remove(int row) override {
        values_.erase(size_t(row));
        nulls_.remove(row);
    }
    QByteArray serverText(int row) const override { return traits_.serverText(at(row)); }
    std::size_t memoryBytes() const override {
        return sizeof(*this) + values_.memoryBytes() + nulls_.memoryBytes();
    }
    void squeeze() override {
        values_.squeeze();
        nulls_.squeeze();
    }

  private:
    Value at(int row) const { return values_.get(size_t(row)); }
    void store(int row, Value value) {
        values_.set(size_t(row), value);
        nulls_.set(row, false, rowCount());
    }

    Traits traits_;
    Store values_;
    NullMask nulls_;
};

class TextColumn final : public Column {
  public:
    TextColumn(QString name, FieldKind kind) : Column(std::move(name), kind) {}

    int rowCount() const override { return int(ids_.size()); }
    bool isNull(int row) const override { return textId(row) == 0; }
    double asFloat(int row) const override {
        const QByteArray text = serverText(row);
        return text.toDouble();
    }
    qint64 asInteger(int row) const override { return serverText(row).toLongLong(); }
    bool asBoolean(int row) const override { return QVariant(asText(row)).toBool(); }
    qint64 asJulianDay(int row) const override {
        const QDate date = QDate::fromString(asText(row), Qt::ISODate);
        return date.isValid() ? date.toJulianDay() : 0;
    }
    qint64 asMSecs(int) const override { return 0; }
    QString asText(int row) const override { return textOfId(textId(row)); }

    std::uint32_t textId(int row) const override { return ids_.get(size_t(row)); }
    std::uint32_t textIdCount() const override { return texts_.idCount(); }
    QString textOfId(std::uint32_t id) const override {
        const std::string_view text = texts_.text(id);
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }

    void appendRaw(const char* text, int length) override {
        ids_.push_back(texts_.intern(std::string_view(text, size_t(length))));
    }
    void appendNull() override { ids_.push_back(0); }
    void setRaw(int row, const char* text, int length) override {
        ids_.set(size_t(row), texts_.intern(std::string_view(text, size_t(length))));
    }
    void setVariant(int row, const QVariant& value) override {
        if (Column::isNullVariant(value)) return setNull(row);
        const QByteArray text = value.toString().toUtf8();
        setRaw(row, text.constData(), int(text.size()));
    }
    void setNull(int row) override { ids_.set(size_t(row), 0); }
    void insertNull(int row) override { ids_.insert(size_t(row), 0); }
    void remove(int row) override { ids_.erase(size_t(row)); }
    QByteArray serverText(int row) const override {
        const std::string_view text = texts_.text(textId(row));
        return QByteArray(text.data(), qsizetype(text.size()));
    }
    std::size_t memoryBytes() const override {
        return sizeof(*this) + ids_.memoryBytes() + texts_.memoryBytes();
    }
    void squeeze() override {
        ids_.squeeze();
        texts_.squeeze();
    }

  private:
    IdVector ids_;
    TextDictionary texts_;
};

}  // namespace

std::unique_ptr<Column> makeColumn(QString name, FieldKind kind) {
    switch (storageOf(kind)) {
        case Storage::Text:
            return std::make_unique<TextColumn>(std::move(name), kind);
        case Storage::Integer:
            if (kind == FieldKind::LargeInt || kind == FieldKind::LongWord)
                return std::make_unique<ValueColumn<IntegerTraits<qint64>>>(std::move(name), kind);
            return std::make_unique<ValueColumn<IntegerTraits<qint32>>>(std::move(name), kind);
        case Storage::Float:
            return std::make_unique<ValueColumn<FloatTraits, RepeatedDoubles>>(std::move(name),
                                                                               kind);
        case Storage::Date:
            return std::make_unique<ValueColumn<DateTraits>>(std::move(name), kind);
        case Storage::DateTime:
            return std::make_unique<ValueColumn<DateTimeTraits>>(
                std::move(name), kind, DateTimeTraits{.withZone = kind != FieldKind::DateTime});
        case Storage::Time:
            return std::make_unique<ValueColumn<TimeTraits>>(std::move(name), kind);
        case Storage::Boolean:
            return std::make_unique<ValueColumn<BooleanTraits>>(std::move(name), kind);
    }
    return nullptr;
}

}  // namespace pg
