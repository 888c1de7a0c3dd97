// The program module: starts the client and ends with the start-up's code.
#include <QApplication>

#include "startup.h"

int main(int argc, char** argv) {
    // The client reads no argument: only the program's own name reaches Qt.
    (void)argc;
    int qtArgc = 1;
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication application(qtArgc, argv);
    return app::startUp();
}
