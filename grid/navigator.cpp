#include "navigator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace grid {

namespace {

QString hintOf(NavigatorButton button) {
    static const char* const hints[navigatorButtonCount] = {
        "First record", "Prior page",    "Prior record",  "Next record",   "Next page",
        "Last record",  "Insert record", "Delete record", "Edit record",   "Post edit",
        "Cancel edit",  "Refresh",       "Save Bookmark", "Goto Bookmark", "Filter data"};
    return QString::fromLatin1(hints[int(button)]);
}

}  // namespace

Navigator::Navigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    for (int i = 0; i < navigatorButtonCount; ++i) {
        const auto which = NavigatorButton(i);
        auto* button = new QToolButton(this);
        button->setIcon(navigatorIcon(which));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(hintOf(which));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(22, 20);
        connect(button, &QToolButton::clicked, this, [this, which] { emit clicked(which); });
        buttons_[size_t(i)] = button;
        layout->addWidget(button);
        // Gaps between the movement, editing and the remaining buttons.
        if (which == NavigatorButton::Last || which == NavigatorButton::Cancel)
            layout->addSpacing(6);
    }
    info_ = new QLabel(this);
    info_->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(info_);
    layout->addStretch(1);
}

}  // namespace grid
