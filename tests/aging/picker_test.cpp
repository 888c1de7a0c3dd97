// The currency picker: what it hands to the reporting-currency field, and
// the currency list it keeps editable.
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "agingfixture.h"
#include "core/dispatch.h"
#include "reports/aging/buttonedit.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"
#include "reports/aging/u_fCurrency.h"

using namespace Qt::Literals::StringLiterals;

namespace agingtest {
namespace {

aging::ButtonEdit& currencyField() {
    return *fAccountsPayableReceivableAging->cxButtonEditCurrency;
}
grid::GridModel& list() { return fCurrency->cxGrid1DBTableView1; }

QStringList listedCodes() {
    QStringList codes;
    for (int row = 0; row < list().rowCount(); ++row) codes << list().cellText(row, 0);
    return codes;
}

void focusCode(const QString& code) {
    const int row = int(listedCodes().indexOf(code));
    ASSERT_GE(row, 0) << code.toStdString();
    list().setFocusedRow(row);
}

int sourceColumn(const QString& name) { return fCurrency->dsouMoneda.indexOf(name); }

class PickerTest : public AgingTest {
  protected:
    // Presses the ellipsis button; while the picker shows, act runs and the
    // picker closes with the given result.
    void pick(const std::function<void()>& act, int result) {
        dialogs.whileModal = [&](QDialog&) {
            act();
            return result;
        };
        currencyField().button()->click();
    }
};

TEST_F(PickerTest, OkHandsOverTheFocusedCodeAndTheCloseBoxNothing) {
    struct Case {
        QString focus;  // empty: the row focused when the list opened
        int result;
        QString field;
    };
    const Case cases[] = {
        {{}, QDialog::Accepted, u"EUR"_s},
        {u"USD"_s, QDialog::Accepted, u"USD"_s},  // discontinued, chosen all the same
        {u"LEI"_s, QDialog::Rejected, u"Lei"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.focus.toStdString());
        currencyField().setText(u"Lei"_s);
        pick(
            [&] {
                if (!c.focus.isEmpty()) focusCode(c.focus);
            },
            c.result);
        EXPECT_EQ(currencyField().text(), c.field);
    }
    EXPECT_EQ(dialogs.errors, QStringList());
}

TEST_F(PickerTest, CtrlEnterInTheFieldOpensThePicker) {
    int shown = 0;
    dialogs.whileModal = [&](QDialog&) {
        ++shown;
        return QDialog::Rejected;
    };
    QTest::keyClick(&currencyField(), Qt::Key_Return);
    EXPECT_EQ(shown, 0);
    QTest::keyClick(&currencyField(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(shown, 1);
}

TEST_F(PickerTest, EmptyListEmptiesTheFieldAndTheSearchThenStops) {
    exec(u"truncate moneda cascade"_s);
    pick([] {}, QDialog::Accepted);
    EXPECT_EQ(currencyField().text(), QString());
    search();
    EXPECT_EQ(dialogs.informations, QStringList{u"Completati moneda de referinta !"_s});
}

TEST_F(PickerTest, EveryShowReadsTheListAnew) {
    pick([] {}, QDialog::Rejected);
    exec(u"insert into moneda (moneda, discontinued) values ('GBP', false)"_s);
    exec(u"update moneda set moneda = 'CAD' where moneda = 'USD'"_s);
    pick(
        [] {
            EXPECT_EQ(listedCodes(), (QStringList{u"CAD"_s, u"EUR"_s, u"GBP"_s, u"LEI"_s}));
        },
        QDialog::Rejected);
}

TEST_F(PickerTest, ChangesInTheListAreSavedToTheCurrencyTable) {
    pick(
        [&] {
            focusCode(u"EUR"_s);
            TableSource& rows = fCurrency->dsouMoneda;
            rows.edit(list().focusedDataRow());
            rows.setValue(sourceColumn(u"discontinued"_s), true);
            rows.post();
            rows.append();
            rows.setValue(sourceColumn(u"moneda"_s), u"CHF"_s);
            rows.setValue(sourceColumn(u"discontinued"_s), false);
            rows.post();
        },
        QDialog::Rejected);
    EXPECT_EQ(scalar(u"select string_agg(moneda || ':' || discontinued, ' ' order by moneda) "
                     "from moneda"_s),
              u"CHF:false EUR:true LEI:false USD:true"_s);
}

TEST_F(PickerTest, NewRowWithoutARequiredValueIsRefused) {
    struct Case {
        QString moneda;
        QVariant discontinued;
        QString error;
    };
    const Case cases[] = {
        {{}, false, u"Field 'moneda' must have a value."_s},
        {u"GBP"_s, {}, u"Field 'discontinued' must have a value."_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error.toStdString());
        dialogs.errors.clear();
        pick(
            [&] {
                TableSource& rows = fCurrency->dsouMoneda;
                rows.append();
                if (!c.moneda.isEmpty()) rows.setValue(sourceColumn(u"moneda"_s), c.moneda);
                rows.setValue(sourceColumn(u"discontinued"_s), c.discontinued);
                wt::dispatch([&] { rows.post(); });
                rows.cancel();
            },
            QDialog::Rejected);
        EXPECT_EQ(dialogs.errors, QStringList{c.error});
    }
    EXPECT_EQ(scalar(u"select count(*) from moneda"_s), u"3"_s);
}

TEST_F(PickerTest, FailingListIsShownAndThePickerOpensAllTheSame) {
    exec(u"drop table moneda cascade"_s);
    bool shown = false;
    pick([&] { shown = fCurrency->isVisible(); }, QDialog::Accepted);
    EXPECT_TRUE(shown);
    ASSERT_EQ(dialogs.errors.size(), 2);  // at the show, and again when OK reads the code
    EXPECT_TRUE(dialogs.errors[0].contains(u"moneda"_s)) << dialogs.errors[0].toStdString();
    EXPECT_EQ(currencyField().text(), u"Lei"_s);
}

TEST_F(PickerTest, OnlyTheOkButtonClosesThePicker) {
    pick(
        [] {
            for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
                QTest::keyClick(fCurrency, key);
                EXPECT_TRUE(fCurrency->isVisible()) << key;
            }
            fCurrency->Button1->click();
            EXPECT_FALSE(fCurrency->isVisible());
            EXPECT_EQ(fCurrency->result(), QDialog::Accepted);
        },
        QDialog::Accepted);
}

}  // namespace
}  // namespace agingtest
