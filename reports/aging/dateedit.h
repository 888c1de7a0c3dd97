#pragma once
// A date editor with a calendar drop-down that may also be emptied: Delete or
// Backspace over the whole text, or "Clear" in its menu, leaves no date.
#include <QDateEdit>

namespace aging {

class DateEdit : public QDateEdit {
    Q_OBJECT
  public:
    explicit DateEdit(QWidget* parent = nullptr);

    // An invalid date when the editor is empty.
    QDate value() const;
    // An invalid date empties the editor.
    void setValue(const QDate& date);
    bool isEmpty() const;
    void clear() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    bool wholeTextSelected() const;
    void startFromTodayIfEmpty();
};

}  // namespace aging
