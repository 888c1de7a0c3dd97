#include "windowstyle.h"

#include <QPalette>
#include <QWidget>

namespace wt {

QFont tahoma(int pixelHeight, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
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
