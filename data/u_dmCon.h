#pragma once
// The data-access object: the two connection profiles, the session that the
// login fills, the login's user and application queries, and the grid style.
#include <QObject>
#include <QString>

#include "pg/connection.h"
#include "pg/query.h"
#if __has_include("data/gridstyle.h")
#include "data/gridstyle.h"
#define WTALVOR_HAS_GRIDSTYLE 1
#endif

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
#ifdef WTALVOR_HAS_GRIDSTYLE
    TcxStyleRepository cxStyleRepository1;
#endif

    // The session: written once, by the one successful login.
    bool glLoggedIn = false;
    QString glUser;
    QString glEuPL;
};

extern TdmCon* dmCon;
