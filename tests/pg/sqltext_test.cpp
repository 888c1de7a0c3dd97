#include "pg/sqltext.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    const char* sql;
    QStringList names;
};
void PrintTo(const Case& c, std::ostream* out) { *out << c.text; }

class PlaceholderNumbering : public ::testing::TestWithParam<Case> {};

TEST_P(PlaceholderNumbering, ReplacesOnlyParameters) {
    const pg::PlaceholderText result = pg::numberPlaceholders(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(result.sql, QByteArray(GetParam().sql));
    EXPECT_EQ(result.names, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    QueryTexts, PlaceholderNumbering,
    ::testing::Values(Case{"select *\nfrom m_firma\nwhere nume_firma = :pNumeFirma\n;",
                           "select *\nfrom m_firma\nwhere nume_firma = $1\n;",
                           {"pNumeFirma"}},
                      Case{"where emitent = :pEmitent\n  and operator_parola = :pP",
                           "where emitent = $1\n  and operator_parola = $2",
                           {"pEmitent", "pP"}},
                      // A name used twice, in any case, is one parameter.
                      Case{"select :a, :b, :A", "select $1, $2, $1", {"a", "b"}},
                      Case{"select x::text, ':p', \":p\" from t where y = :p",
                           "select x::text, ':p', \":p\" from t where y = $1",
                           {"p"}},
                      Case{"select 'it''s :no' || :yes", "select 'it''s :no' || $1", {"yes"}},
                      Case{"select E'a\\' :no' || :yes", "select E'a\\' :no' || $1", {"yes"}},
                      Case{"select 1 -- :no\n, :yes", "select 1 -- :no\n, $1", {"yes"}},
                      Case{"select /* :no /* nested :no */ :no */ :yes",
                           "select /* :no /* nested :no */ :no */ $1",
                           {"yes"}},
                      Case{"select $$ :no $$, $tag$ :no $$ $tag$, :yes",
                           "select $$ :no $$, $tag$ :no $$ $tag$, $1",
                           {"yes"}},
                      Case{"select a[1:2] from t", "select a[1:2] from t", {}},
                      Case{"select 'unterminated :no", "select 'unterminated :no", {}},
                      Case{"select :ț1 from t", "select $1 from t", {QString::fromUtf8("ț1")}}));

}  // namespace
