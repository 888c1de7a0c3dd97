// The aging view on a few documents with known dates: the cut-off dates of
// the parameter row move the open amounts, the days of delay, the buckets and
// the rates.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "scratch.h"

namespace dbtest {
namespace {

const char* const fixture = R"(
insert into moneda (moneda, discontinued) values ('LEI', false), ('EUR', false);
insert into curs_valutar (moneda, data, curs) values
    ('EUR', '2024-02-28', 4.85), ('EUR', '2024-03-10', 4.90),
    ('EUR', '2024-03-20', 4.95), ('EUR', '2024-04-02', 5.00);
insert into partener (partener, data_ins) values ('Client SRL', '2020-05-01');
insert into doc_partener (partener, urm_incasare, tip_doc, tip_doc_fel, nr_doc, data_doc,
                          data_scadenta, moneda, curs, val_mon) values
    ('Client SRL', true, 'FCL', 'factura', 'AGED', '2024-01-01', '2024-01-31', 'LEI', 1, 500),
    ('Client SRL', true, 'FCL', 'factura', 'PAID', '2024-01-01', '2024-01-31', 'LEI', 1, 1000),
    ('Client SRL', true, 'FCL', 'factura', 'EURO', '2024-02-01', '2024-03-01', 'EUR', 4.8, 200),
    ('Client SRL', true, 'FCL', 'factura', 'LATER', '2024-06-01', '2024-07-01', 'LEI', 1, 100);
insert into incasare_plata (id_doc, data, suma_mon)
select id_doc, p.data, p.suma from doc_partener,
       (values ('2024-02-15'::date, 300), ('2024-03-15'::date, 700)) as p (data, suma)
where nr_doc = 'PAID';
insert into data_list (data_incep, data_sf, data_sf_f, moneda_raportare, curs_raportare)
values ('2024-01-01', '2024-12-31', '2024-03-15', 'Lei', 1);
)";

const std::vector<std::string> buckets = {"in_termen", "1_30",    "31_60",   "61_90",    "91_180",
                                          "181_270",   "271_360", "361_720", "peste_720"};

class AgingView : public ScratchCompany {
  protected:
    void SetUp() override {
        createCompany(false);
        admin_.emplace(superuser());
        admin_->exec(fixture);
        client_.emplace(vek());
    }
    // An empty text leaves the date empty.
    void setParameters(const std::string& issuedUntil, const std::string& paidUntil,
                       const std::string& rate = "1") {
        admin_->exec(
            "update data_list set data_sf = nullif($1, '')::date,"
            " data_sf_f = nullif($2, '')::date, curs_raportare = $3::numeric",
            {issuedUntil, paidUntil, rate});
    }
    Result document(const std::string& number) {
        return client_->exec("select * from view_rest_mon_com_ps_rl where nr_doc = $1", {number});
    }
    Result reportRow(const std::string& number) {
        return client_->exec("select * from " + reportRows() + " where nr_doc = $1", {number});
    }
    void TearDown() override {
        admin_.reset();
        client_.reset();
        ScratchCompany::TearDown();
    }
    std::optional<Session> admin_, client_;
};

TEST_F(AgingView, DaysPastDueAtTheCutOffPutTheOpenAmountInOneBucket) {
    // AGED is due on 2024-01-31 with 500 open.
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"2024-01-20", -11, "in_termen"}, {"2024-01-31", 0, "in_termen"},
        {"2024-02-01", 1, "1_30"},        {"2024-03-01", 30, "1_30"},
        {"2024-03-02", 31, "31_60"},      {"2024-03-31", 60, "31_60"},
        {"2024-04-01", 61, "61_90"},      {"2024-04-30", 90, "61_90"},
        {"2024-05-01", 91, "91_180"},     {"2024-07-29", 180, "91_180"},
        {"2024-07-30", 181, "181_270"},   {"2024-10-27", 270, "181_270"},
        {"2024-10-28", 271, "271_360"},   {"2025-01-25", 360, "271_360"},
        {"2025-01-26", 361, "361_720"},   {"2026-01-20", 720, "361_720"},
        {"2026-01-21", 721, "peste_720"}, {"2030-01-01", 2162, "peste_720"},
    };
    for (const auto& [paidUntil, days, bucket] : cases) {
        SCOPED_TRACE(paidUntil);
        setParameters("2024-12-31", paidUntil);
        const Result row = document("AGED");
        ASSERT_EQ(row.rows(), 1);
        EXPECT_EQ(row.text(0, "nr_zile_scadenta_intirz"), std::to_string(days));
        for (const auto& each : buckets)
            EXPECT_EQ(std::stod(row.text(0, "rest_mon_com_" + each)), each == bucket ? 500 : 0)
                << each;
    }
}

TEST_F(AgingView, ReceiptsCountUpToTheCutOffAndSettledDocumentsLeaveTheReport) {
    // PAID (1000) receives 300 on 2024-02-15 and 700 on 2024-03-15.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2024-02-14", "1000.00"},
        {"2024-02-15", "700.00"},
        {"2024-03-14", "700.00"},
        {"2024-03-15", ""},
    };
    for (const auto& [paidUntil, open] : cases) {
        SCOPED_TRACE(paidUntil);
        setParameters("2024-12-31", paidUntil);
        const Result row = reportRow("PAID");
        if (open.empty()) {
            EXPECT_EQ(row.rows(), 0);
            EXPECT_EQ(document("PAID").text(0, "rest_mon_com"), "0.00");
        } else {
            ASSERT_EQ(row.rows(), 1);
            EXPECT_EQ(row.text(0, "rest_mon_com"), open);
        }
    }
}

TEST_F(AgingView, IssueDateLimitsTheDocumentsAndEmptyDatesMeanNoLimitAndToday) {
    // LATER is issued on 2024-06-01.
    const std::vector<std::pair<std::string, int>> cases = {
        {"2024-05-31", 0}, {"2024-06-01", 1}, {"", 1}};
    for (const auto& [issuedUntil, rows] : cases) {
        SCOPED_TRACE(issuedUntil);
        setParameters(issuedUntil, "2024-07-01");
        EXPECT_EQ(document("LATER").rows(), rows);
    }
    setParameters("2024-12-31", "");
    const Result todays = client_->exec(
        "select nr_zile_scadenta_intirz = current_date - date '2024-01-31' from "
        "view_rest_mon_com_ps_rl where nr_doc = 'AGED'");
    EXPECT_EQ(todays.text(0, 0), "t");
}

TEST_F(AgingView, RatesAreTheLatestOnTheCutOffAndAtTheEndOfItsMonth) {
    // EUR rates: 02-28 4.85, 03-10 4.90, 03-20 4.95, 04-02 5.00.
    const std::vector<std::tuple<std::string, double, double>> cases = {
        {"2024-03-09", 4.85, 4.95},
        {"2024-03-10", 4.90, 4.95},
        {"2024-03-31", 4.95, 4.95},
        {"2024-04-01", 4.95, 5.00},
    };
    for (const auto& [paidUntil, onCutOff, atMonthEnd] : cases) {
        SCOPED_TRACE(paidUntil);
        setParameters("2024-12-31", paidUntil);
        const Result euro = document("EURO");
        EXPECT_DOUBLE_EQ(std::stod(euro.text(0, "curs_reevaluare")), onCutOff);
        EXPECT_DOUBLE_EQ(std::stod(euro.text(0, "curs_sf_luna")), atMonthEnd);
        const Result lei = document("AGED");
        EXPECT_EQ(std::stod(lei.text(0, "curs_reevaluare")), 1);
        EXPECT_EQ(std::stod(lei.text(0, "curs_sf_luna")), 1);
    }
}

TEST_F(AgingView, ReportConvertsTheTotalAtTheCutOffRateAndTheBucketsAtTheMonthEndRate) {
    setParameters("2024-12-31", "2024-03-15", "4.9735");
    const Result row = reportRow("EURO");
    ASSERT_EQ(row.rows(), 1);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"curs_reevaluare", "4.950000"},           // the output name carries the month-end rate
        {"curs_raportare", "4.97"},                // shown rounded ...
        {"rest_mon_com_mon_raportare", "197.04"},  // ... divided unrounded: 200 * 4.90 / 4.9735
        {"rest_mon_com_1_30_mon_raportare", "199.05"},  // 200 * 4.95 / 4.9735
        {"rest_mon_com_in_termen_mon_raportare", "0.00"},
        {"rest_mon_com_reev_lei", "990.00"},
        {"rest_mon_com_lei", "960.00"},
        {"val_mon_lei", "960.00"},
    };
    for (const auto& [column, value] : expected) EXPECT_EQ(row.text(0, column), value) << column;
}

}  // namespace
}  // namespace dbtest
