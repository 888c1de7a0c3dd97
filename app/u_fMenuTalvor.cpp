#include "u_fMenuTalvor.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyleFactory>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/dialogs.h"
#include "core/dispatch.h"
#include "data/u_dmCon.h"
#include "data/windowstyle.h"
#include "login/u_fLogin.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"

TfMenuTalvor* fMenuTalvor = nullptr;

namespace {

const QString kSummaryReport = QStringLiteral("Jobwise summary report");
const QString kDetailedReport = QStringLiteral("Jobwise detailed report");
const QString kAgingReport = QStringLiteral("Accounts payable/receivable - aging");

QFrame* panel(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return frame;
}

void fill(QFrame* panel, QWidget* content, Qt::Alignment alignment = {}) {
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content, 0, alignment);
}

// The selection shows only while the tree has the focus.
void hideSelectionWhenInactive(QWidget& tree) {
    QPalette palette = tree.palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Text));
    tree.setPalette(palette);
}

void showInFront(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

TfMenuTalvor::TfMenuTalvor(QWidget* parent)
    : QWidget(parent),
      PanelLogin(panel(this)),
      PanelMenu(panel(this)),
      ButtonLogin(new QPushButton(QStringLiteral("Login"), PanelLogin)),
      TreeView1(new QTreeWidget(PanelMenu)),
      PanelVersion(panel(this)),
      Label1(new QLabel(QStringLiteral("wTalvor v.2021.04.07 "), PanelVersion)) {
    wt::applyWindowDefaults(*this, QStringLiteral("fMenuTalvor"), {341, 340});
    buildPanels();
    buildTree();
    wt::on(ButtonLogin, &QPushButton::clicked, this, [this](bool) { ButtonLoginClick(); });
    wt::on(TreeView1, &QTreeWidget::currentItemChanged, this,
           [this](auto*, auto*) { TreeView1Change(); });
    wt::dispatch([this] { FormCreate(); });
}

void TfMenuTalvor::buildPanels() {
    PanelLogin->setFixedHeight(49);
    ButtonLogin->setGeometry(8, 8, 81, 35);
    PanelVersion->setFixedHeight(19);
    Label1->setFont(wt::tahoma(12, true));
    Label1->setForegroundRole(QPalette::Highlight);
    fill(PanelVersion, Label1, Qt::AlignRight);
    fill(PanelMenu, TreeView1);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    stack->addWidget(PanelLogin);
    stack->addWidget(PanelVersion);
    stack->addWidget(PanelMenu, 1);
    stack->addStretch(0);  // keeps the strips at the top while the menu is hidden
}

void TfMenuTalvor::buildTree() {
    // The classic style draws the connecting lines and the +/- boxes.
    if (QStyle* lines = QStyleFactory::create(QStringLiteral("Windows"))) {
        lines->setParent(TreeView1);
        TreeView1->setStyle(lines);
    }
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(19);
    TreeView1->setRootIsDecorated(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    hideSelectionWhenInactive(*TreeView1);

    auto* jobReports = new QTreeWidgetItem(TreeView1, {QStringLiteral("Job Reports")});
    new QTreeWidgetItem(jobReports, {kSummaryReport});
    new QTreeWidgetItem(jobReports, {kDetailedReport});
    auto* financialReports = new QTreeWidgetItem(TreeView1, {QStringLiteral("Financial Reports")});
    new QTreeWidgetItem(financialReports, {kAgingReport});
}

void TfMenuTalvor::FormCreate() { PanelMenu->hide(); }

void TfMenuTalvor::ButtonLoginClick() {
    wt::dialogs().showModal(*fLogin);
    if (!dmCon->glLoggedIn) return;
    PanelLogin->hide();
    PanelVersion->show();
    PanelMenu->show();
}

void TfMenuTalvor::TreeView1Change() {
    const QTreeWidgetItem* selected = TreeView1->currentItem();
    if (!selected) return;
    const QString text = selected->text(0);
    if (text == kSummaryReport || text == kDetailedReport)
        wt::dialogs().information(QStringLiteral("Work in progress"));
    else if (text == kAgingReport)
        showInFront(*fAccountsPayableReceivableAging);
}
