#include "u_fCurrency.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "agingqueries.h"
#include "core/dispatch.h"
#include "data/u_dmCon.h"
#include "data/windowstyle.h"
#include "formparts.h"
#include "grid/datagrid.h"

using namespace Qt::Literals::StringLiterals;

TfCurrency* fCurrency = nullptr;

namespace {

const QSize designedClient(220, 386);

}  // namespace

TfCurrency::TfCurrency(QWidget* parent)
    : QDialog(parent),
      dsMoneda(u"dsMoneda"_s, dmCon->conVek, aging::monedaText(), aging::monedaColumns(),
               {true, u"moneda"_s}),
      dsouMoneda(dsMoneda, TableSource::Access::Editable),
      cxGrid1DBTableView1(dsouMoneda) {
    setObjectName(u"fCurrency"_s);
    wt::applyWindowDefaults(*this, u"fCurrency"_s, designedClient);
    LabelNumeForma = aging::makeTitleLabel(u"Currencies"_s, this);
    createGrid();
    Button1 = new QPushButton(u"OK"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

// The grid paints the view, which is a member: it goes first, before the
// members and long before QWidget would delete it with the other children.
TfCurrency::~TfCurrency() { delete cxGrid1; }

void TfCurrency::createGrid() {
    cxGrid1DBTableView1.setColumns({
        {u"currency"_s, u"moneda"_s, 85, u"cxGrid1DBTableView1moneda"_s},
        {u"discontinued"_s, u"discontinued"_s, 85, u"cxGrid1DBTableView1discontinued"_s},
    });
    connect(&cxGrid1DBTableView1, &grid::GridModel::focusedRowChanged, this,
            &TfCurrency::followFocusedRow);
    connect(&dsMoneda, &pg::Query::currentRowChanged, this, &TfCurrency::focusCurrentRow);
    cxGrid1 = new grid::DataGrid(cxGrid1DBTableView1, this);
    cxGrid1->setObjectName(u"cxGrid1"_s);
    cxGrid1->setGridStyle(&dmCon->cxStyleRepository1.GridTableViewStyleSheetDevExpress);
    cxGrid1->setWholeRowSelection(false);
    cxGrid1->setAppendAllowed(true);
    cxGrid1->setFooterVisible(false);
}

void TfCurrency::FormShow() {
    if (dsMoneda.isOpen())
        dsMoneda.refresh();
    else
        dsMoneda.open();
}

QString TfCurrency::chosenCode() {
    if (!dsMoneda.isOpen()) dsMoneda.open();
    if (dsMoneda.currentRow() < 0) return QString();
    return dsMoneda.asText(u"moneda"_s);
}

// The focused row and the query's current row are one: the caller reads the
// chosen code from the query. While a row is pending, the query's own moves
// (a new row, a cancelled one) lead and the grid follows.
void TfCurrency::followFocusedRow() {
    const int row = cxGrid1DBTableView1.focusedDataRow();
    if (dsMoneda.state() == pg::RowState::Browse && row >= 0 && row != dsMoneda.currentRow())
        dsMoneda.setCurrentRow(row);
}

void TfCurrency::focusCurrentRow() {
    const int listed = cxGrid1DBTableView1.listedRowOf(dsMoneda.currentRow());
    if (listed >= 0) cxGrid1DBTableView1.setFocusedRow(listed);
}

// An error while the list is read is shown, and the picker opens all the same.
void TfCurrency::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) wt::dispatch([this] { FormShow(); });
}

// Escape does not close the picker: it has no cancel button.
void TfCurrency::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfCurrency::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    aging::placeAnchored(
        {cxGrid1, {8, 33, 201, 314}, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge},
        designedClient);
    aging::placeAnchored({Button1, {122, 353, 87, 25}, Qt::RightEdge | Qt::BottomEdge},
                         designedClient);
}
