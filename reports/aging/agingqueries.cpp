#include "agingqueries.h"

using namespace Qt::Literals::StringLiterals;

namespace aging {
namespace {

pg::FieldDef readOnly(pg::FieldDef field) {
    field.readOnly = true;
    return field;
}

}  // namespace

QStringList dataListText() { return {u"select * "_s, u"from data_list"_s, u";"_s}; }

pg::FieldDefs dataListColumns() {
    return {
        pg::dateField(u"data_incep"_s, true),    pg::dateField(u"data_sf"_s),
        pg::dateField(u"data_incep_f"_s),        pg::dateField(u"data_sf_f"_s),
        pg::dateField(u"data_incep_bal"_s),      pg::dateField(u"data_sf_bal"_s),
        pg::textField(u"moneda_raportare"_s, 3), pg::floatField(u"curs_raportare"_s),
    };
}

// Kept line for line as the company databases' reports have always run it:
// the blanks inside the lines are part of the text.
QStringList reportText() {
    return {
        u"select view_rest_mon_com_ps_rl.partener,extract(year from partener.data_ins) as an_ins_partener,urm_incasare,tip_doc,nr_doc,data_doc,"_s,
        u"       moneda,curs,curs_sf_luna as curs_reevaluare,val_mon,data_scadenta,"_s,
        u"       nr_zile_scadenta_intirz,loc,eu_punct_lucru,"_s,
        u"       com_int,conts_doc,conta_doc,rest_mon_com,"_s,
        u"       view_rest_mon_com_ps_rl.cod_cci,view_rest_mon_com_ps_rl.tara,view_rest_mon_com_ps_rl.localit,judet,view_rest_mon_com_ps_rl.gr_partener,"_s,
        u"       rest_mon_com_in_termen,"_s,
        u"       rest_mon_com_1_30,rest_mon_com_31_60,"_s,
        u"       rest_mon_com_61_90,rest_mon_com_91_180,"_s,
        u"       rest_mon_com_181_270,rest_mon_com_271_360,"_s,
        u"       rest_mon_com_361_720,rest_mon_com_peste_720,"_s,
        u"       cast(val_mon*curs as numeric(18,2)) as val_mon_lei,"_s,
        u"       cast(rest_mon_com*curs as numeric(18,2)) as rest_mon_com_lei,"_s,
        u"       cast(date_part('year',data_doc) as varchar(10)) as an_doc,"_s,
        u"       cast(date_part('month',data_doc) as varchar(10)) as luna_doc, "_s,
        u"       cast(rest_mon_com*curs_sf_luna as numeric(18,2)) as rest_mon_com_reev_lei,"_s,
        u"       data_list.moneda_raportare,"_s,
        u"       cast(data_list.curs_raportare as numeric(18,2)) as curs_raportare,"_s,
        u"       cast(rest_mon_com*curs_reevaluare/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_mon_raportare,"_s,
        u"       cast(rest_mon_com_in_termen*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_in_termen_mon_raportare,"_s,
        u"       cast(rest_mon_com_1_30*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_1_30_mon_raportare,"_s,
        u"       cast(rest_mon_com_31_60*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_31_60_mon_raportare,"_s,
        u"       cast(rest_mon_com_61_90*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_61_90_mon_raportare,"_s,
        u"       cast(rest_mon_com_91_180*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_91_180_mon_raportare,"_s,
        u"       cast(rest_mon_com_181_270*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_181_270_mon_raportare,"_s,
        u"       cast(rest_mon_com_271_360*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_271_360_mon_raportare,"_s,
        u"       cast(rest_mon_com_361_720*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_361_720_mon_raportare,"_s,
        u"       cast(rest_mon_com_peste_720*curs_sf_luna/data_list.curs_raportare as numeric(18,2)) as rest_mon_com_peste_720_mon_raportare,"_s,
        u"       view_rest_mon_com_ps_rl.comisionar, emitent,"_s,
        u"       view_rest_mon_com_ps_rl.tip_doc_fel,"_s,
        u"       view_rest_mon_com_ps_rl.rest_avans,"_s,
        u"       partener.da_nu_persoana_juridica,"_s,
        u"       view_rest_mon_com_ps_rl.da_nu_holding,"_s,
        u"       case when urm_incasare then 'R' else 'P' end as rp"_s,
        u"from view_rest_mon_com_ps_rl"_s,
        u"join data_list on true"_s,
        u"left join partener on view_rest_mon_com_ps_rl.partener = partener.partener"_s,
        u"where coalesce(rest_mon_com,0)<>0"_s,
        u"order by partener,"_s,
        u"         data_doc,"_s,
        u"         tip_doc,"_s,
        u"         nr_doc"_s,
        u";"_s,
    };
}

pg::FieldDefs reportColumns() {
    return {
        pg::textField(u"partener"_s, 100),
        readOnly(pg::floatField(u"an_ins_partener"_s)),
        pg::booleanField(u"urm_incasare"_s),
        pg::textField(u"tip_doc"_s, 7),
        pg::textField(u"nr_doc"_s, 15),
        pg::dateField(u"data_doc"_s),
        pg::textField(u"moneda"_s, 3),
        pg::floatField(u"curs"_s),
        pg::floatField(u"curs_reevaluare"_s),
        pg::floatField(u"val_mon"_s),
        pg::dateField(u"data_scadenta"_s),
        pg::integerField(u"nr_zile_scadenta_intirz"_s),
        pg::textField(u"loc"_s, 25),
        pg::textField(u"eu_punct_lucru"_s, 50),
        pg::textField(u"com_int"_s, 25),
        pg::textField(u"conts_doc"_s, 7),
        pg::textField(u"conta_doc"_s, 25),
        pg::floatField(u"rest_mon_com"_s),
        pg::textField(u"cod_cci"_s, 20),
        pg::textField(u"tara"_s, 3),
        pg::textField(u"localit"_s, 30),
        pg::textField(u"judet"_s, 15),
        pg::textField(u"gr_partener"_s, 20),
        pg::floatField(u"rest_mon_com_in_termen"_s),
        pg::floatField(u"rest_mon_com_1_30"_s),
        pg::floatField(u"rest_mon_com_31_60"_s),
        pg::floatField(u"rest_mon_com_61_90"_s),
        pg::floatField(u"rest_mon_com_91_180"_s),
        pg::floatField(u"rest_mon_com_181_270"_s),
        pg::floatField(u"rest_mon_com_271_360"_s),
        pg::floatField(u"rest_mon_com_361_720"_s),
        pg::floatField(u"rest_mon_com_peste_720"_s),
        readOnly(pg::floatField(u"val_mon_lei"_s)),
        readOnly(pg::floatField(u"rest_mon_com_lei"_s)),
        readOnly(pg::textField(u"an_doc"_s, 10)),
        readOnly(pg::textField(u"luna_doc"_s, 10)),
        readOnly(pg::floatField(u"rest_mon_com_reev_lei"_s)),
        readOnly(pg::textField(u"moneda_raportare"_s, 3)),
        readOnly(pg::floatField(u"curs_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_mon_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_in_termen_mon_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_1_30_mon_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_31_60_mon_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_61_90_mon_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_91_180_mon_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_181_270_mon_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_271_360_mon_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_361_720_mon_raportare"_s)),
        readOnly(pg::floatField(u"rest_mon_com_peste_720_mon_raportare"_s)),
        pg::textField(u"comisionar"_s, 100),
        pg::textField(u"emitent"_s, 100),
        pg::textField(u"tip_doc_fel"_s, 15),
        pg::floatField(u"rest_avans"_s),
        readOnly(pg::booleanField(u"da_nu_persoana_juridica"_s)),
        pg::booleanField(u"da_nu_holding"_s),
        readOnly(pg::memoField(u"rp"_s)),
    };
}

QStringList monedaText() {
    return {u"select * "_s, u"from moneda"_s, u"order by moneda"_s, u";"_s};
}

pg::FieldDefs monedaColumns() {
    return {
        pg::textField(u"moneda"_s, 3, true),
        pg::textField(u"den_moneda"_s, 30),
        pg::floatField(u"lim_sup_reg_inc_pl"_s),
        pg::booleanField(u"discontinued"_s, true),
    };
}

}  // namespace aging
