#include "fields.h"

namespace pg {
namespace {

// PostgreSQL type OIDs (pg_type.oid), fixed since the catalog's beginning.
enum TypeOid : unsigned int {
    BoolOid = 16,
    ByteaOid = 17,
    NameOid = 19,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    TextOid = 25,
    OidOid = 26,
    JsonOid = 114,
    Float4Oid = 700,
    Float8Oid = 701,
    BpcharOid = 1042,
    VarcharOid = 1043,
    DateOid = 1082,
    TimeOid = 1083,
    TimestampOid = 1114,
    TimestamptzOid = 1184,
    NumericOid = 1700,
    UuidOid = 2950,
    JsonbOid = 3802,
};

// Kinds that bind to each other share a group number; a kind of its own has
// a group of its own.
int groupOf(FieldKind kind) {
    switch (kind) {
        case FieldKind::WideString:
        case FieldKind::FixedWideChar:
            return 1;
        case FieldKind::WideMemo:
        case FieldKind::Memo:
        case FieldKind::Blob:
            return 2;
        case FieldKind::Integer:
        case FieldKind::SmallInt:
        case FieldKind::Word:
        case FieldKind::AutoInc:
        case FieldKind::ShortInt:
        case FieldKind::Byte:
            return 3;
        case FieldKind::Float:
        case FieldKind::Currency:
            return 4;
        case FieldKind::Date:
        case FieldKind::Time:
        case FieldKind::DateTime:
            return 5;
        case FieldKind::Boolean:
            return 6;
        case FieldKind::String:
        case FieldKind::FixedChar:
        case FieldKind::Guid:
            return 7;
        case FieldKind::TimeStamp:
        case FieldKind::OraTimeStamp:
            return 8;
        default:
            return 100 + int(kind);
    }
}

}  // namespace

QString kindName(FieldKind kind) {
    switch (kind) {
        case FieldKind::Unknown:
            return QStringLiteral("Unknown");
        case FieldKind::WideString:
            return QStringLiteral("WideString");
        case FieldKind::FixedWideChar:
            return QStringLiteral("FixedWideChar");
        case FieldKind::WideMemo:
            return QStringLiteral("WideMemo");
        case FieldKind::Memo:
            return QStringLiteral("Memo");
        case FieldKind::Blob:
            return QStringLiteral("Blob");
        case FieldKind::Integer:
            return QStringLiteral("Integer");
        case FieldKind::SmallInt:
            return QStringLiteral("SmallInt");
        case FieldKind::Word:
            return QStringLiteral("Word");
        case FieldKind::AutoInc:
            return QStringLiteral("AutoInc");
        case FieldKind::ShortInt:
            return QStringLiteral("ShortInt");
        case FieldKind::Byte:
            return QStringLiteral("Byte");
        case FieldKind::LargeInt:
            return QStringLiteral("LargeInt");
        case FieldKind::LongWord:
            return QStringLiteral("LongWord");
        case FieldKind::Float:
            return QStringLiteral("Float");
        case FieldKind::Currency:
            return QStringLiteral("Currency");
        case FieldKind::Single:
            return QStringLiteral("Single");
        case FieldKind::BCD:
            return QStringLiteral("BCD");
        case FieldKind::FMTBcd:
            return QStringLiteral("FMTBcd");
        case FieldKind::Extended:
            return QStringLiteral("Extended");
        case FieldKind::Date:
            return QStringLiteral("Date");
        case FieldKind::Time:
            return QStringLiteral("Time");
        case FieldKind::DateTime:
            return QStringLiteral("DateTime");
        case FieldKind::TimeStamp:
            return QStringLiteral("TimeStamp");
        case FieldKind::OraTimeStamp:
            return QStringLiteral("OraTimeStamp");
        case FieldKind::Boolean:
            return QStringLiteral("Boolean");
        case FieldKind::String:
            return QStringLiteral("String");
        case FieldKind::FixedChar:
            return QStringLiteral("FixedChar");
        case FieldKind::Guid:
            return QStringLiteral("Guid");
    }
    return QStringLiteral("Unknown");
}

bool sameGroup(FieldKind declared, FieldKind actual) {
    return groupOf(declared) == groupOf(actual);
}

FieldKind kindOfType(unsigned int typeOid) {
    switch (typeOid) {
        case VarcharOid:
            return FieldKind::WideString;
        case BpcharOid:
            return FieldKind::FixedWideChar;
        case TextOid:
        case NameOid:
        case JsonOid:
        case JsonbOid:
            return FieldKind::WideMemo;
        case ByteaOid:
            return FieldKind::Blob;
        case Int4Oid:
            return FieldKind::Integer;
        case Int2Oid:
            return FieldKind::SmallInt;
        case Int8Oid:
            return FieldKind::LargeInt;
        case OidOid:
            return FieldKind::LongWord;
        case Float8Oid:
        case NumericOid:
            return FieldKind::Float;
        case Float4Oid:
            return FieldKind::Single;
        case DateOid:
            return FieldKind::Date;
        case TimeOid:
            return FieldKind::Time;
        case TimestampOid:
            return FieldKind::DateTime;
        case TimestamptzOid:
            return FieldKind::TimeStamp;
        case BoolOid:
            return FieldKind::Boolean;
        case UuidOid:
            return FieldKind::Guid;
        default:
            // Any other type (interval, arrays, ranges, xml ...) is read as its
            // text, like a long text of a non-Unicode kind.
            return FieldKind::Memo;
    }
}

}  // namespace pg
