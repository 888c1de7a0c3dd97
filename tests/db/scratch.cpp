#include "scratch.h"

#include <QString>
#include <algorithm>
#include <cctype>
#include <vector>

#include "tests/support/testcluster.h"

namespace dbtest {

void ScratchCompany::createCompany(bool withDemoData) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("dbt_") + test->test_suite_name() + "_" + test->name();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return std::isalnum(c) ? char(std::tolower(c)) : '_'; });
    database_ = name.substr(0, 63);
    testsupport::createCompanyDatabase(QString::fromStdString(database_), withDemoData);
}

void ScratchCompany::TearDown() {
    if (!database_.empty()) testsupport::dropDatabase(QString::fromStdString(database_));
}

std::string reportQueryText() {
    static const std::vector<std::string> lines = {
        "select view_rest_mon_com_ps_rl.partener,extract(year from partener.data_ins) as "
        "an_ins_partener,urm_incasare,tip_doc,nr_doc,data_doc,",
        "       moneda,curs,curs_sf_luna as curs_reevaluare,val_mon,data_scadenta,",
        "       nr_zile_scadenta_intirz,loc,eu_punct_lucru,",
        "       com_int,conts_doc,conta_doc,rest_mon_com,",
        "       view_rest_mon_com_ps_rl.cod_cci,view_rest_mon_com_ps_rl.tara,view_rest_mon_com_ps_"
        "rl.localit,judet,view_rest_mon_com_ps_rl.gr_partener,",
        "       rest_mon_com_in_termen,",
        "       rest_mon_com_1_30,rest_mon_com_31_60,",
        "       rest_mon_com_61_90,rest_mon_com_91_180,",
        "       rest_mon_com_181_270,rest_mon_com_271_360,",
        "       rest_mon_com_361_720,rest_mon_com_peste_720,",
        "       cast(val_mon*curs as numeric(18,2)) as val_mon_lei,",
        "       cast(rest_mon_com*curs as numeric(18,2)) as rest_mon_com_lei,",
        "       cast(date_part('year',data_doc) as varchar(10)) as an_doc,",
        "       cast(date_part('month',data_doc) as varchar(10)) as luna_doc, ",
        "       cast(rest_mon_com*curs_sf_luna as numeric(18,2)) as rest_mon_com_reev_lei,",
        "       data_list.moneda_raportare,",
        "       cast(data_list.curs_raportare as numeric(18,2)) as curs_raportare,",
        "       cast(rest_mon_com*curs_reevaluare/data_list.curs_raportare as numeric(18,2)) as "
        "rest_mon_com_mon_raportare,",
        "       cast(rest_mon_com_in_termen*curs_sf_luna/data_list.curs_raportare as "
        "numeric(18,2)) as rest_mon_com_in_termen_mon_raportare,",
        "       cast(rest_mon_com_1_30*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as "
        "rest_mon_com_1_30_mon_raportare,",
        "       cast(rest_mon_com_31_60*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) "
        "as rest_mon_com_31_60_mon_raportare,",
        "       cast(rest_mon_com_61_90*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) "
        "as rest_mon_com_61_90_mon_raportare,",
        "       cast(rest_mon_com_91_180*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) "
        "as rest_mon_com_91_180_mon_raportare,",
        "       cast(rest_mon_com_181_270*curs_sf_luna/data_list.curs_raportare as "
        "numeric(18,2)) as rest_mon_com_181_270_mon_raportare,",
        "       cast(rest_mon_com_271_360*curs_sf_luna/data_list.curs_raportare as "
        "numeric(18,2)) as rest_mon_com_271_360_mon_raportare,",
        "       cast(rest_mon_com_361_720*curs_sf_luna/data_list.curs_raportare as "
        "numeric(18,2)) as rest_mon_com_361_720_mon_raportare,",
        "       cast(rest_mon_com_peste_720*curs_sf_luna/data_list.curs_raportare as "
        "numeric(18,2)) as rest_mon_com_peste_720_mon_raportare,",
        "       view_rest_mon_com_ps_rl.comisionar, emitent,",
        "       view_rest_mon_com_ps_rl.tip_doc_fel,",
        "       view_rest_mon_com_ps_rl.rest_avans,",
        "       partener.da_nu_persoana_juridica,",
        "       view_rest_mon_com_ps_rl.da_nu_holding,",
        "       case when urm_incasare then 'R' else 'P' end as rp",
        "from view_rest_mon_com_ps_rl",
        "join data_list on true",
        "left join partener on view_rest_mon_com_ps_rl.partener = partener.partener",
        "where coalesce(rest_mon_com,0)<>0",
        "order by partener,",
        "         data_doc,",
        "         tip_doc,",
        "         nr_doc",
        ";",
    };
    std::string text;
    for (const auto& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

std::string reportRows() {
    std::string text = reportQueryText();
    return "(" + text.substr(0, text.rfind('\n')) + ") report";
}

}  // namespace dbtest
