#pragma once
// The header's filter drop-down (a column's distinct values with check
// boxes) and the filter editor behind the navigator's filter button.
#include <QDialog>
#include <QFrame>
#include <map>

#include "gridmodel.h"

class QCheckBox;
class QLineEdit;
class QListView;

namespace grid {

class CheckListModel;

class ValueFilterPopup : public QFrame {
    Q_OBJECT
  public:
    ValueFilterPopup(GridModel& model, int column, QWidget* parent = nullptr);
    ~ValueFilterPopup() override;

    int column() const { return column_; }
    int valueCount() const;
    QString valueText(int index) const;
    bool isChecked(int index) const;
    void setChecked(int index, bool checked);
    // Puts the checked values into the model's filter and closes.
    void accept();

  private:
    GridModel& model_;
    int column_;
    CheckListModel* values_;
    QListView* list_;
};

class FilterEditor : public QDialog {
    Q_OBJECT
  public:
    FilterEditor(GridModel& model, QWidget* parent = nullptr);

    // The filter-row value of a column, as text.
    QLineEdit* valueEdit(int column) const { return valueEdits_.at(column); }
    // Present for a column whose header filter is set: unchecking drops it.
    QCheckBox* checkedValuesBox(int column) const;
    // Writes the edited conditions into the model.
    void apply();

  private:
    GridModel& model_;
    std::map<int, QLineEdit*> valueEdits_;
    std::map<int, QCheckBox*> checkedBoxes_;
};

}  // namespace grid
