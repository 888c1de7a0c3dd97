#include "buttonedit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>

namespace aging {
namespace {

constexpr int buttonWidth = 17;

bool isCtrlEnter(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           event.modifiers().testFlag(Qt::ControlModifier);
}

}  // namespace

ButtonEdit::ButtonEdit(QWidget* parent) : QLineEdit(parent), button_(new QToolButton(this)) {
    button_->setText(QStringLiteral("\u2026"));
    button_->setCursor(Qt::ArrowCursor);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setAutoRaise(false);
    setTextMargins(0, 0, buttonWidth, 0);
    connect(button_, &QToolButton::clicked, this, &ButtonEdit::buttonClicked);
}

void ButtonEdit::keyPressEvent(QKeyEvent* event) {
    if (isCtrlEnter(*event)) {
        button_->click();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ButtonEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    button_->setGeometry(width() - frame - buttonWidth, frame, buttonWidth, height() - 2 * frame);
}

}  // namespace aging
