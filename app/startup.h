#pragma once
// The start-up routine: the application title, the seven objects created
// once and in order, the main window shown, the run loop.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace app {

// Creates one of the seven objects and assigns its global reference.
using CreationStep = std::function<std::unique_ptr<QObject>()>;
// Shows an error raised while the objects are created: its kind and message.
using StartupErrorBox = std::function<void(const QString& kind, const QString& message)>;

// Owns the seven objects and destroys them in reverse order, so that every
// window goes before dmCon's connections and the main window goes last; the
// global references are cleared with them.
class CreatedObjects {
  public:
    CreatedObjects() = default;
    ~CreatedObjects();
    CreatedObjects(const CreatedObjects&) = delete;
    CreatedObjects& operator=(const CreatedObjects&) = delete;
    void create(const std::vector<CreationStep>& steps);

  private:
    std::vector<std::unique_ptr<QObject>> objects_;
};

// fMenuTalvor, dmCon, fLogin, the two placeholders, the aging window and the
// currency picker, in this order.
std::vector<CreationStep> creationSteps();
void showApplicationErrorBox(const QString& kind, const QString& message);

// Runs the client until its main window closes; returns the exit code: 0
// after a normal end, 1 when an object could not be created.
int startUp(const std::vector<CreationStep>& steps = creationSteps(),
            const StartupErrorBox& errorBox = showApplicationErrorBox);

}  // namespace app
