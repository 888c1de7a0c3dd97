#pragma once
// Everything that would block on a modal box goes through this interface, so
// that tests replace it and no widget test ever waits for a person.
#include <QString>

#include <optional>

class QDialog;
class QWidget;

namespace wt {

struct SaveFileRequest {
    QString filter;        // "*.xlsx"
    QString proposedName;  // file name without folder
    QString folder;        // initial folder; empty lets the system choose
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // The information message box: application title, no icon, one OK button.
    virtual void information(const QString& text) = 0;
    // The central error display's box: application title, stop icon, OK.
    virtual void error(const QString& text) = 0;
    // A yes/no question, such as the grid's confirmation before a delete.
    virtual bool confirm(const QString& text) = 0;
    // The file-save dialog; nothing when the user cancels.
    virtual std::optional<QString> saveFileName(const SaveFileRequest& request) = 0;
    // Shows a window modally and returns its result when it closes.
    virtual int showModal(QDialog& window) = 0;
};

// The dialogs in use: the real boxes unless a test has put its own in place.
UserDialogs& dialogs();
// Replaces the dialogs (nullptr restores the real ones); returns the previous.
UserDialogs* setDialogs(UserDialogs* replacement);

// The text computed once at start from the executable's file name.
const QString& applicationTitle();
void setApplicationTitle(const QString& title);
// File name after the last path separator, cut at its first ".", all but the
// first character lower-cased.
QString applicationTitleFrom(const QString& executablePath);

}  // namespace wt
