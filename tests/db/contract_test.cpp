// What the client's queries need of the databases: they run unchanged, as the
// role vek over SSL, and give their declared columns in types of the declared
// kinds. And what the demo company promises to show.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "scratch.h"
#include "tests/support/testcluster.h"

namespace dbtest {
namespace {

// PostgreSQL type ids that give each declared kind.
enum class Kind { Text, Memo, Integer, Float, Date, DateTime, Boolean };

const std::set<Oid>& typesOf(Kind kind) {
    static const std::set<Oid> text{1043, 1042}, memo{25}, integer{23, 21}, real{1700, 701},
        date{1082}, dateTime{1114}, boolean{16};
    switch (kind) {
        case Kind::Text:
            return text;
        case Kind::Memo:
            return memo;
        case Kind::Integer:
            return integer;
        case Kind::Float:
            return real;
        case Kind::Date:
            return date;
        case Kind::DateTime:
            return dateTime;
        case Kind::Boolean:
            return boolean;
    }
    return text;
}

struct Declared {
    std::string name;
    Kind kind;
};
using Columns = std::vector<Declared>;

void expectDeclaredColumns(const Result& result, const Columns& declared) {
    for (const auto& column : declared) {
        const int index = result.column(column.name);
        if (index < 0) continue;
        EXPECT_TRUE(typesOf(column.kind).count(result.type(index)))
            << column.name << " has type oid " << result.type(index);
    }
}

const Columns& emitentColumns() {
    using K = Kind;
    static const Columns columns = {
        {"emitent", K::Text},
        {"emitent_corect", K::Text},
        {"este_emitent", K::Boolean},
        {"este_operator", K::Boolean},
        {"este_comisionar", K::Boolean},
        {"este_sofer", K::Boolean},
        {"operator_parola", K::Text},
        {"cod_casier_pos", K::Text},
        {"banca_eu_default", K::Text},
        {"cont_banca_eu_default", K::Text},
        {"casa", K::Text},
        {"moneda", K::Text},
        {"magazie_sursa_default", K::Text},
        {"magazie_dest_default", K::Text},
        {"functie", K::Text},
        {"eu_punct_lucru", K::Text},
        {"com_int", K::Text},
        {"loc", K::Text},
        {"nr_obiect", K::Text},
        {"ci_nume", K::Text},
        {"ci_serie", K::Text},
        {"ci_nr", K::Text},
        {"ci_data_elib", K::Date},
        {"ci_elib", K::Text},
        {"cnp", K::Text},
        {"transport_mijloc", K::Text},
        {"transport_nr", K::Text},
        {"da_nu_schimbare_pl", K::Boolean},
        {"da_nu_adaugare_partener", K::Boolean},
        {"da_nu_adaugare_articol", K::Boolean},
        {"da_nu_acces_la_politica_pret", K::Boolean},
        {"da_nu_modif_data_listare", K::Boolean},
        {"da_nu_acces_limita_creditare", K::Boolean},
        {"prez_of_stoc_fact_cl", K::Boolean},
        {"prez_of_stoc_av_exp", K::Boolean},
        {"prez_of_stoc_bte", K::Boolean},
        {"prez_of_stoc_bc", K::Boolean},
        {"pret_fact_cl_cu_tva", K::Boolean},
        {"da_nu_fact_pe_calc", K::Boolean},
        {"da_nu_modif_nr_fact_pe_calc", K::Boolean},
        {"da_nu_fact_autocopy", K::Boolean},
        {"da_nu_aviz_autocopy", K::Boolean},
        {"da_nu_modif_data_livrare", K::Boolean},
        {"nr_zile_prezentare_doc", K::Integer},
        {"data_ins", K::Date},
        {"da_nu_fact_ci_rosu", K::Boolean},
        {"em_email_adr", K::Text},
        {"tel_fix", K::Text},
        {"tel_mobil", K::Text},
        {"proc_comisionar", K::Float},
        {"em_outgoing_email_server", K::Text},
        {"em_outgoing_email_port", K::Integer},
        {"em_outgoing_email_secure", K::Boolean},
        {"em_outgoing_email_user", K::Text},
        {"em_outgoing_email_psw", K::Text},
        {"em_outlook", K::Boolean},
        {"lang", K::Text},
        {"rol_web", K::Text},
        {"rol_win", K::Text},
        {"web_theme", K::Text},
        {"discontinued", K::Boolean},
        {"data_export", K::DateTime},
        {"data_import", K::DateTime},
        {"vede_pret_stoc", K::Boolean},
    };
    return columns;
}

// The report's result columns, in the order of its select list.
const Columns& reportColumns() {
    using K = Kind;
    static const Columns columns = [] {
        Columns c = {
            {"partener", K::Text},
            {"an_ins_partener", K::Float},
            {"urm_incasare", K::Boolean},
            {"tip_doc", K::Text},
            {"nr_doc", K::Text},
            {"data_doc", K::Date},
            {"moneda", K::Text},
            {"curs", K::Float},
            {"curs_reevaluare", K::Float},
            {"val_mon", K::Float},
            {"data_scadenta", K::Date},
            {"nr_zile_scadenta_intirz", K::Integer},
            {"loc", K::Text},
            {"eu_punct_lucru", K::Text},
            {"com_int", K::Text},
            {"conts_doc", K::Text},
            {"conta_doc", K::Text},
            {"rest_mon_com", K::Float},
            {"cod_cci", K::Text},
            {"tara", K::Text},
            {"localit", K::Text},
            {"judet", K::Text},
            {"gr_partener", K::Text},
        };
        const std::vector<std::string> buckets = {"in_termen", "1_30",    "31_60",
                                                  "61_90",     "91_180",  "181_270",
                                                  "271_360",   "361_720", "peste_720"};
        for (const auto& bucket : buckets) c.push_back({"rest_mon_com_" + bucket, K::Float});
        c.insert(c.end(), {{"val_mon_lei", K::Float},
                           {"rest_mon_com_lei", K::Float},
                           {"an_doc", K::Text},
                           {"luna_doc", K::Text},
                           {"rest_mon_com_reev_lei", K::Float},
                           {"moneda_raportare", K::Text},
                           {"curs_raportare", K::Float},
                           {"rest_mon_com_mon_raportare", K::Float}});
        for (const auto& bucket : buckets)
            c.push_back({"rest_mon_com_" + bucket + "_mon_raportare", K::Float});
        c.insert(c.end(), {{"comisionar", K::Text},
                           {"emitent", K::Text},
                           {"tip_doc_fel", K::Text},
                           {"rest_avans", K::Float},
                           {"da_nu_persoana_juridica", K::Boolean},
                           {"da_nu_holding", K::Boolean},
                           {"rp", K::Memo}});
        return c;
    }();
    return columns;
}

class Contract : public ScratchCompany {};

TEST_F(Contract, CompanyQueriesOfTheClientGiveTheirDeclaredColumns) {
    createCompany(true);
    struct Case {
        std::string query;
        std::vector<std::string> params;
        Columns declared;
    };
    const std::vector<Case> cases = {
        {"select *\nfrom emitent\nwhere emitent = $1\n  and operator_parola = $2",
         {"ana", "ana123"},
         emitentColumns()},
        {"select *\nfrom aplicatie_mob\nwhere lower(aplicatie_mob) = lower($1)\n  and activ\n;",
         {"wtalvor"},
         {}},
        {"select * \nfrom data_list\n;",
         {},
         {{"data_incep", Kind::Date},
          {"data_sf", Kind::Date},
          {"data_incep_f", Kind::Date},
          {"data_sf_f", Kind::Date},
          {"data_incep_bal", Kind::Date},
          {"data_sf_bal", Kind::Date},
          {"moneda_raportare", Kind::Text},
          {"curs_raportare", Kind::Float}}},
        {"select * \nfrom moneda\norder by moneda\n;",
         {},
         {{"moneda", Kind::Text},
          {"den_moneda", Kind::Text},
          {"lim_sup_reg_inc_pl", Kind::Float},
          {"discontinued", Kind::Boolean}}},
    };
    const Session session = vek();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        const Result result = session.exec(c.query, c.params);
        EXPECT_GE(result.rows(), 1);
        expectDeclaredColumns(result, c.declared);
    }
}

TEST(Directory, DirectoryQueryGivesItsDeclaredColumns) {
    const std::string directory = "dbt_directory";
    testsupport::createDirectoryDatabase(QString::fromStdString(directory));
    Session::superuser(directory).exec(
        "insert into m_firma (nume_firma, ip, port, db_name, activ) "
        "values ('Demo Company', '127.0.0.1', 5432, 'vek_demo1', true)");
    const Result result = Session::vek(directory).exec(
        "select *\nfrom m_firma\nwhere nume_firma = $1\n;", {"Demo Company"});
    EXPECT_EQ(result.rows(), 1);
    expectDeclaredColumns(result, {{"nume_firma", Kind::Text},
                                   {"ip", Kind::Memo},
                                   {"port", Kind::Integer},
                                   {"db_name", Kind::Memo},
                                   {"activ", Kind::Boolean}});
    testsupport::dropDatabase(QString::fromStdString(directory));
}

TEST_F(Contract, ReportQueryRunsUnchangedWithItsColumnsInOrder) {
    createCompany(true);
    const Result result = vek().exec(reportQueryText());
    EXPECT_GT(result.rows(), 0);
    const Columns& expected = reportColumns();
    ASSERT_EQ(result.columns(), int(expected.size()));
    for (int i = 0; i < result.columns(); ++i) {
        EXPECT_EQ(result.name(i), expected[size_t(i)].name) << "column " << i + 1;
        EXPECT_TRUE(typesOf(expected[size_t(i)].kind).count(result.type(i)))
            << result.name(i) << " has type oid " << result.type(i);
    }
}

TEST_F(Contract, EveryReportRowHasItsOpenAmountInExactlyOneBucket) {
    createCompany(true);
    const Result result = vek().exec(
        "select count(*) as rows_in_report,"
        "       count(*) filter (where rest_mon_com_in_termen + rest_mon_com_1_30"
        "           + rest_mon_com_31_60 + rest_mon_com_61_90 + rest_mon_com_91_180"
        "           + rest_mon_com_181_270 + rest_mon_com_271_360 + rest_mon_com_361_720"
        "           + rest_mon_com_peste_720 <> rest_mon_com) as sums_off,"
        "       count(*) filter (where (rest_mon_com_in_termen <> 0)::int"
        "           + (rest_mon_com_1_30 <> 0)::int + (rest_mon_com_31_60 <> 0)::int"
        "           + (rest_mon_com_61_90 <> 0)::int + (rest_mon_com_91_180 <> 0)::int"
        "           + (rest_mon_com_181_270 <> 0)::int + (rest_mon_com_271_360 <> 0)::int"
        "           + (rest_mon_com_361_720 <> 0)::int + (rest_mon_com_peste_720 <> 0)::int"
        "           <> 1) as spread_over_several"
        " from " +
        reportRows());
    EXPECT_GT(std::stoi(result.text(0, "rows_in_report")), 0);
    EXPECT_EQ(result.text(0, "sums_off"), "0");
    EXPECT_EQ(result.text(0, "spread_over_several"), "0");
}

// The demo is meant to show every case the report handles; a change to the
// demo rows that loses one of them shows here.
TEST_F(Contract, DemoCompanyShowsEveryCaseOfTheReport) {
    createCompany(true);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"open amounts not yet due", "rest_mon_com_in_termen <> 0"},
        {"1-30 days overdue", "rest_mon_com_1_30 <> 0"},
        {"31-60 days overdue", "rest_mon_com_31_60 <> 0"},
        {"61-90 days overdue", "rest_mon_com_61_90 <> 0"},
        {"91-180 days overdue", "rest_mon_com_91_180 <> 0"},
        {"181-270 days overdue", "rest_mon_com_181_270 <> 0"},
        {"271-360 days overdue", "rest_mon_com_271_360 <> 0"},
        {"361-720 days overdue", "rest_mon_com_361_720 <> 0"},
        {"over 720 days overdue", "rest_mon_com_peste_720 <> 0"},
        {"a partner missing from the partner list", "an_ins_partener is null"},
        {"an unknown direction, shown as payable", "urm_incasare is null and rp = 'P'"},
        {"receivables", "rp = 'R'"},
        {"payables", "urm_incasare = false"},
        {"a negative open amount (advance)", "rest_mon_com < 0"},
        {"a partly paid document", "rest_mon_com <> val_mon"},
        {"the local currency", "moneda = 'LEI'"},
        {"euro", "moneda = 'EUR'"},
        {"dollars", "moneda = 'USD'"},
        {"the discontinued currency", "moneda = 'DEM'"},
    };
    const Session session = vek();
    for (const auto& [what, condition] : cases) {
        const Result result =
            session.exec("select count(*) from " + reportRows() + " where " + condition);
        EXPECT_NE(result.text(0, 0), "0") << "the demo report shows no " << what;
    }
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"one parameter row", "select count(*) = 1 from data_list"},
        {"user ana with password ana123",
         "select count(*) = 1 from emitent where emitent = 'ana' and operator_parola = 'ana123'"},
        {"a discontinued user", "select count(*) > 0 from emitent where discontinued"},
        {"wTalvor enabled",
         "select count(*) = 1 from aplicatie_mob where lower(aplicatie_mob) = 'wtalvor' and activ"},
        {"a discontinued currency", "select count(*) > 0 from moneda where discontinued"},
        {"fully paid documents, left out of the report",
         "select count(*) > 0 from view_rest_mon_com_ps_rl where rest_mon_com = 0"},
    };
    for (const auto& [what, query] : rows)
        EXPECT_EQ(session.exec(query).text(0, 0), "t") << "the demo company lacks " << what;
}

}  // namespace
}  // namespace dbtest
