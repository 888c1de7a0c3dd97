#pragma once
// The look every window of the client shares: Tahoma 8 pt (11 px at 96 dpi)
// on the button-face colour, a sizeable border, its designed client size.
#include <QFont>
#include <QSize>

class QWidget;

namespace wt {

// Tahoma of the given pixel height at 96 dpi; Qt's scaling does the rest.
QFont tahoma(int pixelHeight = 11, bool bold = false);
void applyWindowDefaults(QWidget& window, const QString& caption, QSize clientSize);

}  // namespace wt
