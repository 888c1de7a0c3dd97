#include "u_fLogin.h"

#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>

#include "core/dialogs.h"
#include "core/dispatch.h"
#include "core/errors.h"
#include "data/u_dmCon.h"
#include "data/windowstyle.h"

TfLogin* fLogin = nullptr;

namespace {

constexpr int kFieldLeft = 80;
constexpr int kRightMargin = 8;

// Qt masks passwords with a bullet; this window shows "*".
class AsteriskMask : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// The hint shows only while the field is empty and does not have the focus;
// Qt would keep it under the cursor.
class PlaceholderWhileUnfocused : public QObject {
  public:
    PlaceholderWhileUnfocused(QLineEdit* field, QString hint)
        : QObject(field), field_(field), hint_(std::move(hint)) {
        field->setPlaceholderText(hint_);
        field->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) field_->setPlaceholderText(QString());
        if (event->type() == QEvent::FocusOut) field_->setPlaceholderText(hint_);
        return false;
    }

  private:
    QLineEdit* field_;
    QString hint_;
};

QLabel* label(const QString& text, QWidget* parent, QPoint at) {
    auto* result = new QLabel(text, parent);
    result->move(at);
    result->adjustSize();
    return result;
}

QStringList vekMobilText() {
    return {QStringLiteral("select *"), QStringLiteral("from m_firma"),
            QStringLiteral("where nume_firma = :pNumeFirma"), QStringLiteral(";")};
}

pg::FieldDefs vekMobilFields() {
    return {pg::textField(QStringLiteral("nume_firma"), 200, true),
            pg::memoField(QStringLiteral("ip")), pg::integerField(QStringLiteral("port")),
            pg::memoField(QStringLiteral("db_name")), pg::booleanField(QStringLiteral("activ"))};
}

}  // namespace

TfLogin::TfLogin(QWidget* parent)
    : QDialog(parent),
      cxLabel4(label(QStringLiteral("Login"), this, {8, 4})),
      cxLabel1(label(QStringLiteral("Company"), this, {27, 33})),
      Edit1(new QLineEdit(this)),
      cxLabel2(label(QStringLiteral("User Name"), this, {18, 60})),
      Edit2(new QLineEdit(this)),
      cxLabel3(label(QStringLiteral("Password"), this, {24, 90})),
      Edit3(new QLineEdit(this)),
      cxButton1(new QPushButton(QStringLiteral("Login"), this)),
      dsVekMobil(QStringLiteral("dsVekMobil"), dmCon->conVekMob, vekMobilText(), vekMobilFields()) {
    wt::applyWindowDefaults(*this, QStringLiteral("fLogin"), {297, 222});
    placeControls();
    bindRememberedLogin();
    wt::on(cxButton1, &QPushButton::clicked, this, [this](bool) { cxButton1Click(); });
}

void TfLogin::placeControls() {
    cxLabel4->setFont(wt::tahoma(16, true));
    cxLabel4->setForegroundRole(QPalette::Highlight);
    cxLabel4->adjustSize();
    Edit1->setGeometry(kFieldLeft, 32, 209, 21);
    Edit2->setGeometry(kFieldLeft, 59, 209, 21);
    Edit3->setGeometry(kFieldLeft, 86, 209, 21);
    auto* mask = new AsteriskMask;
    mask->setParent(Edit3);
    Edit3->setStyle(mask);
    Edit3->setEchoMode(QLineEdit::Password);
    new PlaceholderWhileUnfocused(Edit3, QStringLiteral("password"));
    cxButton1->setGeometry(kFieldLeft, 113, 75, 25);
    cxButton1->setDefault(true);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, cxButton1);
}

void TfLogin::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int fieldWidth = width() - kFieldLeft - kRightMargin;
    for (QLineEdit* field : {Edit1, Edit2, Edit3}) field->resize(fieldWidth, field->height());
}

// The company and user-name fields write into the remembered-login row as the
// user types; loading the file writes the row back into the fields.
void TfLogin::bindRememberedLogin() {
    wt::on(Edit1, &QLineEdit::textEdited, this,
           [this](const QString& text) { dsLogin.setCompany(text); });
    wt::on(Edit2, &QLineEdit::textEdited, this,
           [this](const QString& text) { dsLogin.setUserName(text); });
}

void TfLogin::showRememberedLogin() {
    const auto& row = dsLogin.row();
    Edit1->setText(row ? row->company : QString());
    Edit2->setText(row ? row->userName : QString());
}

void TfLogin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A restore from minimised is no new showing.
    if (!event->spontaneous()) wt::dispatch([this] { FormShow(); });
}

void TfLogin::FormShow() {
    loadRememberedLogin();
    Edit3->setFocus();
}

void TfLogin::loadRememberedLogin() {
    if (std::optional<login::LoginTable> saved =
            login::loadLoginTable(login::rememberedLoginPath())) {
        dsLogin = std::move(*saved);
        showRememberedLogin();
    }
}

void TfLogin::saveRememberedLogin() {
    login::saveLoginTable(dsLogin, login::rememberedLoginPath());
}

void TfLogin::cxButton1Click() {
    saveRememberedLogin();
    findCompany();
    const auto cleanUp = qScopeGuard([this] { closeQueries(); });
    if (dsVekMobil.isEmpty()) throw wt::Error(QStringLiteral("Companie inexistenta"));
    pointCompanyConnection();
    checkUser();
    checkApplication();
    startSession();
}

void TfLogin::findCompany() {
    dsVekMobil.setParam(QStringLiteral("pNumeFirma"), Edit1->text());
    dsVekMobil.open();
}

// The directory's first row for the company says where its database lives;
// a NULL port reads as 0.
void TfLogin::pointCompanyConnection() {
    dsVekMobil.setCurrentRow(0);
    pg::Connection& company = dmCon->conVek;
    company.setServer(dsVekMobil.asText(QStringLiteral("ip")));
    company.setPort(int(dsVekMobil.asInteger(QStringLiteral("port"))));
    company.setDatabase(dsVekMobil.asText(QStringLiteral("db_name")));
}

void TfLogin::checkUser() {
    pg::Query& user = dmCon->dsEmitent;
    user.close();
    user.setParam(QStringLiteral("pEmitent"), Edit2->text());
    user.setParam(QStringLiteral("pP"), Edit3->text());
    user.open();
    if (user.isEmpty()) throw wt::Error(QStringLiteral("User, Password eronate"));
}

void TfLogin::checkApplication() {
    pg::Query& application = dmCon->dsAplicatieMob;
    application.close();
    application.setParam(QStringLiteral("pAplicatieMob"), wt::applicationTitle());
    application.open();
    if (application.isEmpty())
        throw wt::Error(QStringLiteral("Aplicatia ") + wt::applicationTitle() +
                        QStringLiteral(" nu este disponibila la ") + Edit1->text());
}

void TfLogin::startSession() {
    dmCon->dsEmitent.setCurrentRow(0);
    dmCon->glEuPL = dmCon->dsEmitent.asText(QStringLiteral("eu_punct_lucru"));
    dmCon->glUser = Edit2->text();
    dmCon->glLoggedIn = true;
    Edit3->clear();
    accept();
}

void TfLogin::closeQueries() {
    dmCon->dsAplicatieMob.close();
    dmCon->dsEmitent.close();
    dsVekMobil.close();
}
