#pragma once
// The currency picker: the company's currency list, editable in place, from
// which the aging window takes its reporting currency.
#include <QDialog>

#include "data/tablesource.h"
#include "grid/gridmodel.h"
#include "pg/query.h"

class QLabel;
class QPushButton;

namespace grid {
class DataGrid;
}  // namespace grid

class TfCurrency : public QDialog {
    Q_OBJECT
  public:
    explicit TfCurrency(QWidget* parent = nullptr);
    ~TfCurrency() override;

    QLabel* LabelNumeForma;
    grid::DataGrid* cxGrid1;
    QPushButton* Button1;

    pg::Query dsMoneda;
    TableSource dsouMoneda;
    // The grid's view; its focused row is the query's current row.
    grid::GridModel cxGrid1DBTableView1;

    // Runs each time the picker becomes visible: re-reads or opens the list.
    void FormShow();
    // The code of the current row, opening the list first if needed; empty
    // when the list has no row.
    QString chosenCode();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void createGrid();
    void followFocusedRow();
    void focusCurrentRow();
};

extern TfCurrency* fCurrency;
