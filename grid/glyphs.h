#pragma once
// The small pictures the grid paints itself: row indicator marks, the
// expand button, sort arrows and the navigator's button faces.
#include <QColor>
#include <QIcon>
#include <QRect>

class QPainter;

namespace grid {

enum class IndicatorMark { None, Focused, Editing, Inserting };
void paintIndicatorMark(QPainter& painter, const QRect& cell, IndicatorMark mark,
                        const QColor& colour);
void paintExpandButton(QPainter& painter, const QRect& box, bool expanded, const QColor& colour);
void paintSortArrow(QPainter& painter, const QRect& area, bool descending, const QColor& colour);
void paintDropDownArrow(QPainter& painter, const QRect& area, const QColor& colour);

enum class NavigatorButton {
    First,
    PriorPage,
    Prior,
    Next,
    NextPage,
    Last,
    Insert,
    Delete,
    Edit,
    Post,
    Cancel,
    Refresh,
    SaveBookmark,
    GotoBookmark,
    Filter,
};
inline constexpr int navigatorButtonCount = 15;
QIcon navigatorIcon(NavigatorButton button);

}  // namespace grid
