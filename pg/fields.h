#pragma once
// Kinds of result columns as the declared-column rule names them, and the
// declaration a query makes of a column it needs.
#include <QString>
#include <cstdint>
#include <vector>

namespace pg {

enum class FieldKind : std::uint8_t {
    Unknown,
    WideString,
    FixedWideChar,  // varchar(n), char(n)
    WideMemo,
    Memo,
    Blob,  // text, bytea
    Integer,
    SmallInt,
    Word,
    AutoInc,
    ShortInt,
    Byte,      // int4, int2
    LargeInt,  // int8
    LongWord,  // oid and the like
    Float,
    Currency,  // float8, numeric
    Single,    // float4
    BCD,
    FMTBcd,
    Extended,
    Date,
    Time,
    DateTime,  // date, time, timestamp
    TimeStamp,
    OraTimeStamp,  // timestamptz
    Boolean,       // bool
    String,
    FixedChar,
    Guid,  // uuid and other non-Unicode texts
};

// The name the type-mismatch message prints ("Integer", "LargeInt" ...).
QString kindName(FieldKind kind);
// Kinds in the same group bind to each other.
bool sameGroup(FieldKind declared, FieldKind actual);
// The kind a PostgreSQL type gives on a Unicode connection; types without a
// kind of their own (interval, arrays, xml ...) read as their text, as Memo.
FieldKind kindOfType(unsigned int typeOid);

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Unknown;
    int size = 0;           // maximum length of a text; never makes an open fail
    bool required = false;  // a save with this column empty is refused
    bool readOnly = false;
};
using FieldDefs = std::vector<FieldDef>;

// Shorthands for declarations as the windows write them.
inline FieldDef textField(QString name, int size, bool required = false) {
    return {std::move(name), FieldKind::WideString, size, required};
}
inline FieldDef memoField(QString name, bool required = false) {
    return {std::move(name), FieldKind::WideMemo, 0, required};
}
inline FieldDef integerField(QString name, bool required = false) {
    return {std::move(name), FieldKind::Integer, 0, required};
}
inline FieldDef floatField(QString name, bool required = false) {
    return {std::move(name), FieldKind::Float, 0, required};
}
inline FieldDef dateField(QString name, bool required = false) {
    return {std::move(name), FieldKind::Date, 0, required};
}
inline FieldDef dateTimeField(QString name, bool required = false) {
    return {std::move(name), FieldKind::DateTime, 0, required};
}
inline FieldDef booleanField(QString name, bool required = false) {
    return {std::move(name), FieldKind::Boolean, 0, required};
}

}  // namespace pg
