#include "dateedit.h"

#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

namespace aging {
namespace {

// The empty state is the lowest date, which the editor shows as a blank.
const QDate emptyMark(100, 1, 1);

QString fourDigitYearFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

bool isEditingKey(const QKeyEvent& event) {
    const QString text = event.text();
    return (!text.isEmpty() && text.at(0).isDigit()) || event.key() == Qt::Key_Up ||
           event.key() == Qt::Key_Down || event.key() == Qt::Key_PageUp ||
           event.key() == Qt::Key_PageDown;
}

}  // namespace

DateEdit::DateEdit(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(fourDigitYearFormat());
    setMinimumDate(emptyMark);
    setSpecialValueText(QStringLiteral(" "));
    setValue(QDate());
}

QDate DateEdit::value() const { return isEmpty() ? QDate() : date(); }

void DateEdit::setValue(const QDate& value) { setDate(value.isValid() ? value : emptyMark); }

bool DateEdit::isEmpty() const { return date() == emptyMark; }

void DateEdit::clear() { setValue(QDate()); }

bool DateEdit::wholeTextSelected() const {
    return !lineEdit()->text().isEmpty() && lineEdit()->selectedText() == lineEdit()->text();
}

// Typing into an empty editor starts from today rather than from the empty mark.
void DateEdit::startFromTodayIfEmpty() {
    if (!isEmpty()) return;
    setValue(QDate::currentDate());
    setSelectedSection(QDateTimeEdit::DaySection);
}

void DateEdit::keyPressEvent(QKeyEvent* event) {
    const bool erase = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
    if (erase && (wholeTextSelected() || isEmpty())) {
        clear();
        return;
    }
    if (isEditingKey(*event)) startFromTodayIfEmpty();
    QDateEdit::keyPressEvent(event);
}

void DateEdit::mousePressEvent(QMouseEvent* event) {
    QDateEdit::mousePressEvent(event);
    // An empty editor opens its calendar on the current month.
    if (isEmpty() && calendarWidget())
        calendarWidget()->setCurrentPage(QDate::currentDate().year(), QDate::currentDate().month());
}

void DateEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = lineEdit()->createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(tr("Clear"), this, &DateEdit::clear)->setEnabled(!isEmpty());
    menu->exec(event->globalPos());
    delete menu;
}

}  // namespace aging
