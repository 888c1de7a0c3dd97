// The Export button: what the save dialog proposes, and what the user sees
// after the workbook is written or refused.
#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "agingfixture.h"
#include "grid/datagrid.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"

using namespace Qt::Literals::StringLiterals;

namespace agingtest {
namespace {

using ExportTest = AgingTest;

TEST_F(ExportTest, ExportWritesTheChosenWorkbookOrTellsWhyNot) {
    struct Case {
        QString chosen;   // relative to a scratch folder; empty: the dialog is cancelled
        QString written;  // the file expected afterwards, or empty
        QStringList informations;
        QString errorStart;
    };
    const Case cases[] = {
        {{}, {}, {}, {}},
        {u"report"_s, u"report.xlsx"_s, {u"OK"_s}, {}},
        {u"missing/report.xlsx"_s, {}, {}, u"Cannot create file \""_s},
    };
    searchAtFixtureDay();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        const QTemporaryDir folder;
        dialogs.informations.clear();
        dialogs.errors.clear();
        dialogs.saveAnswer =
            c.chosen.isEmpty() ? std::nullopt : std::optional(folder.filePath(c.chosen));
        fAccountsPayableReceivableAging->Button1->click();
        EXPECT_EQ(dialogs.informations, c.informations);
        EXPECT_EQ(dialogs.errors.size(), c.errorStart.isEmpty() ? 0 : 1);
        for (const QString& error : dialogs.errors)
            EXPECT_TRUE(error.startsWith(c.errorStart)) << error.toStdString();
        const QStringList files = QDir(folder.path()).entryList(QDir::Files);
        EXPECT_EQ(files, c.written.isEmpty() ? QStringList() : QStringList{c.written});
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(fAccountsPayableReceivableAging->cxGrid1->isEnabled());
        EXPECT_TRUE(fAccountsPayableReceivableAging->cxGrid1->updatesEnabled());
    }
    ASSERT_EQ(dialogs.saveRequests.size(), std::size(cases));
    for (const wt::SaveFileRequest& request : dialogs.saveRequests) {
        EXPECT_EQ(request.filter, u"*.xlsx"_s);
        EXPECT_EQ(request.proposedName, u"ReceivablesPayablesAgingAnalysis.xlsx"_s);
        EXPECT_EQ(request.folder,
                  QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    }
}

}  // namespace
}  // namespace agingtest
