#include "dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace wt {
namespace {

QWidget* activeOwner() { return QApplication::activeWindow(); }

class RealDialogs final : public UserDialogs {
public:
    void information(const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok,
                        activeOwner());
        box.exec();
    }
    void error(const QString& text) override {
        QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok,
                        activeOwner());
        box.exec();
    }
    bool confirm(const QString& text) override {
        return QMessageBox::question(activeOwner(), applicationTitle(), text,
                                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }
    std::optional<QString> saveFileName(const SaveFileRequest& request) override {
        QFileDialog dialog(activeOwner());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setNameFilter(request.filter);
        if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
        dialog.selectFile(request.proposedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first();
    }
    int showModal(QDialog& window) override { return window.exec(); }
};

RealDialogs realDialogs;
UserDialogs* current = &realDialogs;
QString title;

}  // namespace

UserDialogs& dialogs() { return *current; }

UserDialogs* setDialogs(UserDialogs* replacement) {
    UserDialogs* previous = current;
    current = replacement ? replacement : &realDialogs;
    return previous;
}

const QString& applicationTitle() { return title; }
void setApplicationTitle(const QString& value) { title = value; }

QString applicationTitleFrom(const QString& executablePath) {
    const qsizetype separator =
        std::max(executablePath.lastIndexOf(u'\\'), executablePath.lastIndexOf(u'/'));
    QString name = executablePath.mid(separator + 1);
    const qsizetype point = name.indexOf(u'.');
    if (point >= 0) name.truncate(point);
    if (name.size() > 1) name = name.left(1) + name.mid(1).toLower();
    return name;
}

}  // namespace wt
