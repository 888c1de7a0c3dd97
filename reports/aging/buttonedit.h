#pragma once
// A free-text field with one ellipsis button inside its frame; Ctrl+Enter in
// the field presses the button as well.
#include <QLineEdit>

class QToolButton;

namespace aging {

class ButtonEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit ButtonEdit(QWidget* parent = nullptr);
    QToolButton* button() const { return button_; }

  signals:
    void buttonClicked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QToolButton* button_;
};

}  // namespace aging
