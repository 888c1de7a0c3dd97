#include "u_dmCon.h"

#include <QByteArray>
#include <cstddef>

#include "builtin_values.h"

TdmCon* dmCon = nullptr;

namespace {

// Read through volatile so that the compiler cannot fold key and cipher back
// into the plain text at build time.
QString connectionPassword() {
    static_assert(sizeof builtin::kPasswordKey == sizeof builtin::kPasswordCipher);
    const volatile unsigned char* key = builtin::kPasswordKey;
    const volatile unsigned char* cipher = builtin::kPasswordCipher;
    QByteArray plain;
    for (std::size_t i = 1; i < sizeof builtin::kPasswordCipher; ++i)
        plain.append(char(key[i] ^ cipher[i]));
    return QString::fromUtf8(plain);
}

pg::ConnectionSettings companySettings() {
    return {QString::fromUtf8(builtin::kCompanyDefaultHost),
            5432,
            QStringLiteral("vek1"),
            QStringLiteral("vek"),
            connectionPassword(),
            builtin::kConnectTimeoutSeconds};
}

pg::ConnectionSettings directorySettings() {
    return {QString::fromUtf8(builtin::kDirectoryHost),
            builtin::kDirectoryPort,
            QStringLiteral("vek_mob"),
            QStringLiteral("vek"),
            connectionPassword(),
            builtin::kConnectTimeoutSeconds};
}

QStringList aplicatieMobText() {
    return {QStringLiteral("select *"), QStringLiteral("from aplicatie_mob"),
            QStringLiteral("where lower(aplicatie_mob) = lower(:pAplicatieMob)"),
            QStringLiteral("  and activ"), QStringLiteral(";")};
}

QStringList emitentText() {
    return {QStringLiteral("select *"), QStringLiteral("from emitent"),
            QStringLiteral("where emitent = :pEmitent"),
            QStringLiteral("  and operator_parola = :pP")};
}

// The columns the company's user table must hold, in the order they bind.
pg::FieldDefs emitentFields() {
    using namespace pg;
    const bool required = true;
    return {
        textField("emitent", 100, required),
        textField("emitent_corect", 100),
        booleanField("este_emitent", required),
        booleanField("este_operator", required),
        booleanField("este_comisionar", required),
        booleanField("este_sofer", required),
        textField("operator_parola", 20),
        textField("cod_casier_pos", 10),
        textField("banca_eu_default", 100),
        textField("cont_banca_eu_default", 28),
        textField("casa", 50),
        textField("moneda", 3),
        textField("magazie_sursa_default", 5),
        textField("magazie_dest_default", 5),
        textField("functie", 30),
        textField("eu_punct_lucru", 50, required),
        textField("com_int", 25),
        textField("loc", 25),
        textField("nr_obiect", 20),
        textField("ci_nume", 30),
        textField("ci_serie", 3),
        textField("ci_nr", 25),
        dateField("ci_data_elib"),
        textField("ci_elib", 25),
        textField("cnp", 25),
        textField("transport_mijloc", 25),
        textField("transport_nr", 25),
        booleanField("da_nu_schimbare_pl", required),
        booleanField("da_nu_adaugare_partener", required),
        booleanField("da_nu_adaugare_articol", required),
        booleanField("da_nu_acces_la_politica_pret", required),
        booleanField("da_nu_modif_data_listare", required),
        booleanField("da_nu_acces_limita_creditare", required),
        booleanField("prez_of_stoc_fact_cl", required),
        booleanField("prez_of_stoc_av_exp", required),
        booleanField("prez_of_stoc_bte", required),
        booleanField("prez_of_stoc_bc", required),
        booleanField("pret_fact_cl_cu_tva", required),
        booleanField("da_nu_fact_pe_calc", required),
        booleanField("da_nu_modif_nr_fact_pe_calc", required),
        booleanField("da_nu_fact_autocopy", required),
        booleanField("da_nu_aviz_autocopy", required),
        booleanField("da_nu_modif_data_livrare", required),
        integerField("nr_zile_prezentare_doc"),
        dateField("data_ins", required),
        booleanField("da_nu_fact_ci_rosu"),
        textField("em_email_adr", 50),
        textField("tel_fix", 30),
        textField("tel_mobil", 30),
        floatField("proc_comisionar"),
        textField("em_outgoing_email_server", 50),
        integerField("em_outgoing_email_port"),
        booleanField("em_outgoing_email_secure", required),
        textField("em_outgoing_email_user", 50),
        textField("em_outgoing_email_psw", 50),
        booleanField("em_outlook", required),
        textField("lang", 15),
        textField("rol_web", 25),
        textField("rol_win", 25),
        textField("web_theme", 25),
        booleanField("discontinued", required),
        dateTimeField("data_export"),
        dateTimeField("data_import"),
        booleanField("vede_pret_stoc"),
    };
}

}  // namespace

TdmConConnections::TdmConConnections()
    : conVek(QStringLiteral("conVek"), companySettings()),
      conVekMob(QStringLiteral("conVekMob"), directorySettings()) {}

TdmCon::TdmCon(QObject* parent)
    : QObject(parent),
      dsAplicatieMob(QStringLiteral("dsAplicatieMob"), conVek, aplicatieMobText()),
      dsEmitent(QStringLiteral("dsEmitent"), conVek, emitentText(), emitentFields()) {
    setObjectName(QStringLiteral("dmCon"));
}
