#include "windowstyle.h"

#include <QPalette>
#include <QWidget>

#include "grid/style.h"

namespace wt {

QFont tahoma(int pixelHeight, bool bold) {
    return grid::designFont(QStringLiteral("Tahoma"), pixelHeight, bold);
}

void applyWindowDefaults(QWidget& window, const QString& caption, QSize clientSize) {
    window.setWindowTitle(caption);
    window.setFont(tahoma());
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(clientSize);
}

}  // namespace wt
