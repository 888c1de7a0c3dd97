#pragma once
// What the aging window and the currency picker share in their design: the
// title label and controls anchored to the window's edges.
#include <QRect>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

namespace aging {

// The bold title at (8, 8) in the menu-highlight colour.
QLabel* makeTitleLabel(const QString& text, QWidget* window);

struct Anchored {
    QWidget* widget;
    QRect designed;   // place within the designed client area
    Qt::Edges edges;  // the edges whose distance is kept
};

// Places the control within its parent's current client area, which was
// designedClient large in the design.
void placeAnchored(const Anchored& control, const QSize& designedClient);

}  // namespace aging
