#pragma once
// Every event handler runs through dispatch(): what escapes it goes to the
// central error display, and nothing crosses Qt's event loop.
#include <QObject>

#include <exception>
#include <functional>
#include <utility>

namespace wt {

// Shows an escaped error in the central error display (a silent stop shows
// nothing). Unknown exceptions are shown by their what().
void showError(std::exception_ptr error);

// Runs a handler; returns false when it ended with an error.
bool dispatch(const std::function<void()>& handler);

// Connects a signal to a handler that runs through dispatch().
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection on(Sender* sender, Signal signal, QObject* context, Handler handler) {
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)](auto&&... args) {
                                dispatch([&] { handler(std::forward<decltype(args)>(args)...); });
                            });
}

// The hourglass while an action's database or file work runs; restored
// whatever happens.
class HourglassCursor {
public:
    HourglassCursor();
    ~HourglassCursor();
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
};

// Lets pending user-interface events run (the Search's repaint points).
void processPendingEvents();

}  // namespace wt
