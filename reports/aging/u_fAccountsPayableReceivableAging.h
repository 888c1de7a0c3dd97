#pragma once
// The receivables/payables aging report: the parameter group, the Search that
// stores the parameters and reruns the report query, the result grid and its
// export.
#include <QDate>
#include <QWidget>
#include <functional>

#include "data/tablesource.h"
#include "grid/gridmodel.h"
#include "pg/query.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace grid {
class DataGrid;
}  // namespace grid

namespace aging {
class ButtonEdit;
class DateEdit;
}  // namespace aging

class TfAccountsPayableReceivableAging : public QWidget {
    Q_OBJECT
  public:
    explicit TfAccountsPayableReceivableAging(QWidget* parent = nullptr);
    ~TfAccountsPayableReceivableAging() override;

    QLabel* LabelNumeForma;
    QGroupBox* GroupBox1;
    QLabel* Label1;
    aging::DateEdit* cxDateEdit1;
    QLabel* Label2;
    aging::DateEdit* cxDateEdit2;
    QLabel* Label3;
    aging::ButtonEdit* cxButtonEditCurrency;
    QLabel* Label4;
    QLineEdit* EditExchange;
    QPushButton* Button2;
    grid::DataGrid* cxGrid1;
    QPushButton* Button1;

    pg::Query dsdata_list;
    pg::Query dsview_rest_mon_com_ps_rl;
    TableSource dsouview_rest_mon_com_ps_rl;
    // The result grid's view: its columns, filter, sort, groups and sums.
    grid::GridModel cxGrid1DBTableView1;

    // Handlers; the window's events run them through the dispatcher.
    void FormShow();
    void FormClose();
    void Button2Click();
    void Button1Click();
    void cxButtonEditCurrencyPropertiesButtonClick();

    // Where the defaults take today's date from; tests put their own clock.
    void setClock(std::function<QDate()> today);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void createParameterGroup();
    void createResultGrid();
    void requireReportingCurrency() const;
    void requirePositiveRate(const QString& rate) const;
    void storeParameters(const QString& rate);
    void startEditingParameterRow();
    void rerunReport();

    std::function<QDate()> today_;
};

extern TfAccountsPayableReceivableAging* fAccountsPayableReceivableAging;
