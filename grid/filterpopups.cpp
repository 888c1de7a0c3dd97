#include "filterpopups.h"

#include <QAbstractListModel>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/dispatch.h"
#include "format.h"

namespace grid {

// The values with their check marks, without an item object per value, so a
// column of many distinct values opens at once.
class CheckListModel : public QAbstractListModel {
  public:
    CheckListModel(std::vector<QVariant> values, std::vector<QString> texts,
                   std::vector<bool> checked, QObject* parent)
        : QAbstractListModel(parent),
          values_(std::move(values)),
          texts_(std::move(texts)),
          checked_(std::move(checked)) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(values_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole) return texts_[size_t(index.row())];
        if (role == Qt::CheckStateRole)
            return checked_[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex&) const override {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::CheckStateRole) return false;
        checked_[size_t(index.row())] = value.toInt() == Qt::Checked;
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    const QString& text(int row) const { return texts_[size_t(row)]; }
    bool isChecked(int row) const { return checked_[size_t(row)]; }
    void setChecked(int row, bool checked) {
        setData(index(row), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    // nullopt when all or none are checked: then nothing is held back.
    std::optional<std::vector<QVariant>> checkedValues() const {
        std::vector<QVariant> checked;
        for (size_t i = 0; i < values_.size(); ++i)
            if (checked_[i]) checked.push_back(values_[i]);
        if (checked.empty() || checked.size() == values_.size()) return std::nullopt;
        return checked;
    }

  private:
    std::vector<QVariant> values_;
    std::vector<QString> texts_;
    std::vector<bool> checked_;
};

namespace {

bool contains(const std::optional<std::vector<QVariant>>& checked, const QVariant& value) {
    if (!checked) return false;
    for (const QVariant& item : *checked)
        if (item.isNull() == value.isNull() && (value.isNull() || item == value)) return true;
    return false;
}

}  // namespace

ValueFilterPopup::ValueFilterPopup(GridModel& model, int column, QWidget* parent)
    : QFrame(parent, Qt::Popup), model_(model), column_(column) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::Box);
    std::vector<QVariant> values = model.distinctValues(column);
    std::vector<QString> texts;
    std::vector<bool> checked;
    const auto current = model.valueFilter(column);
    for (const QVariant& value : values) {
        texts.push_back(model.valueText(column, value));
        checked.push_back(contains(current, value));
    }
    values_ = new CheckListModel(std::move(values), std::move(texts), std::move(checked), this);
    list_ = new QListView(this);
    list_->setModel(values_);
    list_->setUniformItemSizes(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    wt::on(buttons, &QDialogButtonBox::accepted, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(200, 260);
}

ValueFilterPopup::~ValueFilterPopup() = default;

int ValueFilterPopup::valueCount() const { return values_->rowCount(); }
QString ValueFilterPopup::valueText(int index) const { return values_->text(index); }
bool ValueFilterPopup::isChecked(int index) const { return values_->isChecked(index); }
void ValueFilterPopup::setChecked(int index, bool checked) { values_->setChecked(index, checked); }

void ValueFilterPopup::accept() {
    model_.setValueFilter(column_, values_->checkedValues());
    close();
}

// ---------------------------------------------------------------------------

FilterEditor::FilterEditor(GridModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(QStringLiteral("Filter"));
    auto* form = new QFormLayout;
    for (int column = 0; column < model.columnCount(); ++column) {
        if (model.sourceColumn(column) < 0) continue;
        const QVariant value = model.filterValue(column);
        auto* edit =
            new QLineEdit(value.typeId() == QMetaType::QString
                              ? value.toString()
                              : formatValue(model.columnType(column), value, model.locale()),
                          this);
        edit->setClearButtonEnabled(true);
        valueEdits_[column] = edit;
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        if (const auto checked = model.valueFilter(column)) {
            QStringList texts;
            for (const QVariant& item : *checked) texts << model.valueText(column, item);
            auto* box =
                new QCheckBox(QStringLiteral("one of: ") + texts.join(QStringLiteral(", ")), this);
            box->setChecked(true);
            checkedBoxes_[column] = box;
            row->addWidget(box);
        }
        form->addRow(model.columnDef(column).caption, row);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* clear =
        buttons->addButton(QStringLiteral("Clear all"), QDialogButtonBox::ResetRole);
    connect(clear, &QPushButton::clicked, this, [this] {
        for (auto& [column, edit] : valueEdits_) edit->clear();
        for (auto& [column, box] : checkedBoxes_) box->setChecked(false);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QCheckBox* FilterEditor::checkedValuesBox(int column) const {
    const auto found = checkedBoxes_.find(column);
    return found == checkedBoxes_.end() ? nullptr : found->second;
}

void FilterEditor::apply() {
    for (auto& [column, edit] : valueEdits_)
        model_.setFilterValue(column, edit->text().isEmpty() ? QVariant() : QVariant(edit->text()));
    for (auto& [column, box] : checkedBoxes_)
        if (!box->isChecked()) model_.setValueFilter(column, std::nullopt);
}

}  // namespace grid
