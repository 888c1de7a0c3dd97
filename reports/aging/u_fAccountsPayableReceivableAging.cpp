#include "u_fAccountsPayableReceivableAging.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>

#include "agingqueries.h"
#include "buttonedit.h"
#include "core/dialogs.h"
#include "core/dispatch.h"
#include "core/errors.h"
#include "core/number.h"
#include "data/u_dmCon.h"
#include "data/windowstyle.h"
#include "dateedit.h"
#include "formparts.h"
#include "grid/datagrid.h"
#include "resultgrid.h"
#include "u_fCurrency.h"
#include "xlsx/export.h"

using namespace Qt::Literals::StringLiterals;

TfAccountsPayableReceivableAging* fAccountsPayableReceivableAging = nullptr;

namespace {

const QSize designedClient(1100, 650);
const QColor navy(0x00, 0x00, 0x80);

enum class LabelLook { Bold, Navy };

// A label grows to its text: where the design's font is missing, the
// substitute may be wider.
QLabel* makeLabel(const QString& text, const QRect& designed, LabelLook look, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (look == LabelLook::Bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    } else {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, navy);
        label->setPalette(palette);
    }
    label->setGeometry(designed.x(), designed.y(),
                       std::max(designed.width(), label->sizeHint().width()), designed.height());
    return label;
}

[[noreturn]] void refuse(const QString& message) {
    wt::dialogs().information(message);
    throw wt::SilentStop();
}

QVariant dateOrNull(const aging::DateEdit& editor) {
    return editor.isEmpty() ? QVariant() : QVariant(editor.value());
}

void openIfClosed(pg::Query& query) {
    if (!query.isOpen()) query.open();
}

// The Search's clean-up order: the hourglass shows at once, and at the end
// pending events run before the default cursor comes back.
class SearchCursor {
  public:
    SearchCursor() { wt::processPendingEvents(); }
    ~SearchCursor() { wt::processPendingEvents(); }
    SearchCursor(const SearchCursor&) = delete;
    SearchCursor& operator=(const SearchCursor&) = delete;

  private:
    wt::HourglassCursor hourglass_;
};

// Takes no input and keeps its picture while it lives.
class FrozenWidget {
  public:
    explicit FrozenWidget(QWidget& widget) : widget_(widget) {
        widget_.setUpdatesEnabled(false);
        widget_.setEnabled(false);
    }
    ~FrozenWidget() {
        widget_.setEnabled(true);
        widget_.setUpdatesEnabled(true);
    }
    FrozenWidget(const FrozenWidget&) = delete;
    FrozenWidget& operator=(const FrozenWidget&) = delete;

  private:
    QWidget& widget_;
};

// The first n characters, never half of a character outside the Basic
// Multilingual Plane (which the database would get as a replacement mark).
QString firstCharacters(const QString& text, qsizetype n) {
    qsizetype units = 0;
    for (qsizetype taken = 0; taken < n && units < text.size(); ++taken)
        units += text[units].isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return text.left(units);
}

}  // namespace

TfAccountsPayableReceivableAging::TfAccountsPayableReceivableAging(QWidget* parent)
    : QWidget(parent, Qt::Window),
      dsdata_list(u"dsdata_list"_s, dmCon->conVek, aging::dataListText(), aging::dataListColumns(),
                  {true, u"data_list"_s}),
      dsview_rest_mon_com_ps_rl(u"dsview_rest_mon_com_ps_rl"_s, dmCon->conVek, aging::reportText(),
                                aging::reportColumns()),
      dsouview_rest_mon_com_ps_rl(dsview_rest_mon_com_ps_rl),
      cxGrid1DBTableView1(dsouview_rest_mon_com_ps_rl),
      today_([] { return QDate::currentDate(); }) {
    setObjectName(u"fAccountsPayableReceivableAging"_s);
    wt::applyWindowDefaults(*this, u"fAccountsPayableReceivableAging"_s, designedClient);
    LabelNumeForma = aging::makeTitleLabel(u"Receivables payables aging analysis"_s, this);
    createParameterGroup();
    createResultGrid();
    Button1 = new QPushButton(u"Export"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setAutoDefault(false);
    wt::on(Button1, &QPushButton::clicked, this, [this](bool) { Button1Click(); });
    setTabOrder(cxButtonEditCurrency, cxGrid1);
    setTabOrder(cxGrid1, Button1);
}

// The grid paints the view, which is a member: it goes first, before the
// members and long before QWidget would delete it with the other children.
TfAccountsPayableReceivableAging::~TfAccountsPayableReceivableAging() { delete cxGrid1; }

void TfAccountsPayableReceivableAging::createParameterGroup() {
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    GroupBox1->setGeometry(8, 33, 825, 41);
    Label1 = makeLabel(u"Issued until"_s, {7, 12, 66, 13}, LabelLook::Bold, GroupBox1);
    cxDateEdit1 = new aging::DateEdit(GroupBox1);
    cxDateEdit1->setGeometry(79, 9, 89, 21);
    Label2 =
        makeLabel(u"Receipts/Payments until"_s, {176, 12, 140, 13}, LabelLook::Bold, GroupBox1);
    cxDateEdit2 = new aging::DateEdit(GroupBox1);
    cxDateEdit2->setGeometry(322, 9, 89, 21);
    Label3 = makeLabel(u"ReportingCurrency"_s, {420, 12, 91, 13}, LabelLook::Navy, GroupBox1);
    cxButtonEditCurrency = new aging::ButtonEdit(GroupBox1);
    cxButtonEditCurrency->setGeometry(517, 9, 55, 21);
    Label4 = makeLabel(u"ExchangeRate"_s, {591, 12, 70, 13}, LabelLook::Navy, GroupBox1);
    EditExchange = new QLineEdit(GroupBox1);
    EditExchange->setGeometry(667, 9, 45, 21);
    Button2 = new QPushButton(u"Search"_s, GroupBox1);
    Button2->setGeometry(727, 7, 87, 25);
    Button2->setAutoDefault(false);
    setTabOrder(cxDateEdit1, cxDateEdit2);
    setTabOrder(cxDateEdit2, EditExchange);
    setTabOrder(EditExchange, Button2);
    setTabOrder(Button2, cxButtonEditCurrency);
    wt::on(Button2, &QPushButton::clicked, this, [this](bool) { Button2Click(); });
    wt::on(cxButtonEditCurrency, &aging::ButtonEdit::buttonClicked, this,
           [this] { cxButtonEditCurrencyPropertiesButtonClick(); });
}

void TfAccountsPayableReceivableAging::createResultGrid() {
    cxGrid1DBTableView1.setColumns(aging::resultColumns());
    cxGrid1DBTableView1.setFooterSums(aging::resultSums());
    cxGrid1DBTableView1.setGroupSums(aging::resultSums());
    cxGrid1 = new grid::DataGrid(cxGrid1DBTableView1, this);
    cxGrid1->setObjectName(u"cxGrid1"_s);
    cxGrid1->setGridStyle(&dmCon->cxStyleRepository1.GridTableViewStyleSheetDevExpress);
    cxGrid1->setWholeRowSelection(true);
    cxGrid1->setAppendAllowed(true);
}

void TfAccountsPayableReceivableAging::setClock(std::function<QDate()> today) {
    today_ = std::move(today);
}

void TfAccountsPayableReceivableAging::FormShow() {
    const QDate today = today_();
    cxDateEdit1->setValue(QDate(today.year(), today.month(), 1));
    cxDateEdit2->setValue(today);
    cxButtonEditCurrency->setText(u"Lei"_s);
    EditExchange->setText(u"1"_s);
}

void TfAccountsPayableReceivableAging::FormClose() { dsview_rest_mon_com_ps_rl.close(); }

void TfAccountsPayableReceivableAging::Button2Click() {
    requireReportingCurrency();
    const QString rate = EditExchange->text();
    requirePositiveRate(rate);
    const SearchCursor cursor;
    storeParameters(rate);
    rerunReport();
}

void TfAccountsPayableReceivableAging::requireReportingCurrency() const {
    if (cxButtonEditCurrency->text().isEmpty()) refuse(u"Completati moneda de referinta !"_s);
}

// The text is read afresh for each comparison; a text that is no number
// raises the conversion error.
void TfAccountsPayableReceivableAging::requirePositiveRate(const QString& rate) const {
    if (rate.isEmpty() || wt::readFloat(rate) < 0 || wt::readFloat(rate) == 0)
        refuse(u"Completati cursul de referinta pozitiv !"_s);
}

void TfAccountsPayableReceivableAging::storeParameters(const QString& rate) {
    openIfClosed(dsdata_list);
    startEditingParameterRow();
    dsdata_list.setValue(u"data_sf"_s, dateOrNull(*cxDateEdit1));
    dsdata_list.setValue(u"data_sf_f"_s, dateOrNull(*cxDateEdit2));
    dsdata_list.setValue(u"moneda_raportare"_s, firstCharacters(cxButtonEditCurrency->text(), 3));
    dsdata_list.setValue(u"curs_raportare"_s, wt::readFloat(rate));
    dsdata_list.post();
    dsdata_list.close();
}

// A row left in editing by a failed save is written again; an empty table
// gets a new row, whose save the required data_incep then refuses.
void TfAccountsPayableReceivableAging::startEditingParameterRow() {
    if (dsdata_list.state() != pg::RowState::Browse) return;
    if (dsdata_list.isEmpty())
        dsdata_list.append();
    else
        dsdata_list.edit();
}

void TfAccountsPayableReceivableAging::rerunReport() {
    dsview_rest_mon_com_ps_rl.close();
    wt::processPendingEvents();
    openIfClosed(dsview_rest_mon_com_ps_rl);
    wt::processPendingEvents();
}

// The proposal is the same at every export, whatever was chosen before.
void TfAccountsPayableReceivableAging::Button1Click() {
    const std::optional<QString> path = wt::dialogs().saveFileName(
        {u"*.xlsx"_s, u"ReceivablesPayablesAgingAnalysis.xlsx"_s,
         QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)});
    if (!path) return;
    {
        const wt::HourglassCursor hourglass;
        const FrozenWidget frozen(*cxGrid1);
        xlsx::exportGrid(cxGrid1DBTableView1, *path,
                         dmCon->cxStyleRepository1.GridTableViewStyleSheetDevExpress, font());
    }
    wt::dialogs().information(u"OK"_s);
}

void TfAccountsPayableReceivableAging::cxButtonEditCurrencyPropertiesButtonClick() {
    if (wt::dialogs().showModal(*fCurrency) != QDialog::Accepted) return;
    cxButtonEditCurrency->setText(fCurrency->chosenCode());
}

void TfAccountsPayableReceivableAging::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) wt::dispatch([this] { FormShow(); });
}

void TfAccountsPayableReceivableAging::closeEvent(QCloseEvent* event) {
    wt::dispatch([this] { FormClose(); });
    event->accept();
}

void TfAccountsPayableReceivableAging::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    aging::placeAnchored(
        {cxGrid1, {8, 80, 1084, 531}, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge},
        designedClient);
    aging::placeAnchored({Button1, {8, 617, 89, 25}, Qt::LeftEdge | Qt::BottomEdge},
                         designedClient);
}
