#include "formparts.h"

#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "data/windowstyle.h"

namespace aging {
namespace {

// Start and length on one axis: anchored at both ends a control stretches,
// at the far end only it moves, otherwise it stays.
std::pair<int, int> placeOnAxis(int start, int length, int growth, bool nearEdge, bool farEdge) {
    if (nearEdge && farEdge) return {start, std::max(0, length + growth)};
    if (farEdge) return {start + growth, length};
    return {start, length};
}

}  // namespace

QLabel* makeTitleLabel(const QString& text, QWidget* window) {
    auto* label = new QLabel(text, window);
    label->setObjectName(QStringLiteral("LabelNumeForma"));
    label->setFont(wt::tahoma(16, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    label->setPalette(palette);
    label->move(8, 8);
    label->adjustSize();
    return label;
}

void placeAnchored(const Anchored& control, const QSize& designedClient) {
    const QSize growth = control.widget->parentWidget()->size() - designedClient;
    const QRect& d = control.designed;
    const Qt::Edges edges = control.edges;
    const auto [left, width] = placeOnAxis(d.left(), d.width(), growth.width(),
                                           edges & Qt::LeftEdge, edges & Qt::RightEdge);
    const auto [top, height] = placeOnAxis(d.top(), d.height(), growth.height(),
                                           edges & Qt::TopEdge, edges & Qt::BottomEdge);
    control.widget->setGeometry(left, top, width, height);
}

}  // namespace aging
