// The client's start-up, timed from outside: this runs the same start-up
// routine as wTalvor, prints "shown" once the main window has been exposed
// and painted, and ends. scripts/bench measures from process start to that
// line.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/startup.h"
#include "app/u_fMenuTalvor.h"

namespace {

// The first expose of the main window paints it; the report follows in the
// next turn of the event loop, after that paint.
class StopAtFirstExpose : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!reported_ && event->type() == QEvent::Expose && isMainWindow(watched)) {
            reported_ = true;
            QTimer::singleShot(0, [] {
                std::puts("shown");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

  private:
    static bool isMainWindow(QObject* watched) {
        return fMenuTalvor && watched == fMenuTalvor->windowHandle();
    }
    bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    (void)argc;
    int qtArgc = 1;
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication application(qtArgc, argv);
    StopAtFirstExpose stop;
    application.installEventFilter(&stop);
    return app::startUp();
}
