#pragma once
// The data-access object: the two connection profiles, the session that the
// login fills, the login's user and application queries, and the grid style.
#include <QObject>
#include <QString>

#include "data/gridstyle.h"
#include "pg/connection.h"
#include "pg/query.h"

// The connections live in a base so that they are built before, and destroyed
// after, the queries that run on them.
struct TdmConConnections {
    TdmConConnections();
    pg::Connection conVek;     // the company database; the login re-points it
    pg::Connection conVekMob;  // the directory database
};

class TdmCon : public QObject, public TdmConConnections {
    Q_OBJECT
  public:
    explicit TdmCon(QObject* parent = nullptr);

    pg::Query dsAplicatieMob;
    pg::Query dsEmitent;
    // The grid style both data grids wear (its GridTableViewStyleSheetDevExpress).
    TcxStyleRepository cxStyleRepository1;

    // The session: written once, by the one successful login.
    bool glLoggedIn = false;
    QString glUser;
    QString glEuPL;
};

extern TdmCon* dmCon;
