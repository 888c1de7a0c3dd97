#pragma once
// The navigator bar below the rows: record movement, editing, refresh,
// bookmark and filter buttons, and the information panel.
#include <QWidget>
#include <array>

#include "glyphs.h"

class QLabel;
class QToolButton;

namespace grid {

class Navigator : public QWidget {
    Q_OBJECT
  public:
    explicit Navigator(QWidget* parent = nullptr);

    QToolButton* button(NavigatorButton button) const { return buttons_[size_t(button)]; }
    QLabel* info() const { return info_; }

  signals:
    void clicked(grid::NavigatorButton button);

  private:
    std::array<QToolButton*, navigatorButtonCount> buttons_{};
    QLabel* info_ = nullptr;
};

}  // namespace grid
