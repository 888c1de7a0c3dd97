#pragma once
// The query text as the server receives it: each :pName becomes a numbered
// placeholder ($1, $2 ...; a name used twice gets one number), while quoted
// literals, quoted identifiers, comments, dollar-quoted bodies and :: casts
// are left as written.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pg {

struct PlaceholderText {
    QByteArray sql;     // UTF-8, ready for PQsendQueryParams
    QStringList names;  // parameter names, the name of $n at index n-1
};

PlaceholderText numberPlaceholders(const QString& text);

}  // namespace pg
