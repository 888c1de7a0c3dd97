// The grid widget offscreen: typing into the filter row, dragging headers,
// the navigator, row colours and editing with the grid's own confirmation.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "core/errors.h"
#include "data/gridstyle.h"
#include "fixtures.h"
#include "grid/datagrid.h"
#include "grid/filterpopups.h"
#include "grid/navigator.h"
#include "tests/support/fakedialogs.h"

using namespace gridtest;
using grid::NavigatorButton;

namespace {

class AnsweringDialogs : public testsupport::FakeDialogs {
  public:
    bool answer = true;
    QStringList questions;
    bool confirm(const QString& text) override {
        questions << text;
        return answer;
    }
};

std::vector<std::vector<QVariant>> documents() {
    return {
        {"Alfa SRL", day(2024, 1, 1), 100.0, 1, "EUR", true},
        {"Beta SA", day(2024, 1, 2), 20.0, 2, "LEI", false},
        {"alfa trans", day(2024, 1, 3), 3.0, 3, "LEI", true},
        {"Gama", day(2024, 1, 4), 0.5, 4, "EUR", false},
    };
}

struct Shown {
    explicit Shown(bool editable = false) : grid(documents()) {
        grid.source->setReadOnly(!editable);
        grid.model->setFooterSums({{"val", Value}});
        widget = std::make_unique<grid::DataGrid>(*grid.model);
        widget->setGridStyle(&styles.GridTableViewStyleSheetDevExpress);
        widget->resize(700, 400);
        widget->show();
        widget->setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
    }
    QString info() const { return widget->navigator()->info()->text(); }
    QToolButton* button(NavigatorButton which) const { return widget->navigator()->button(which); }
    QColor pixel(int listedRow, int column) const {
        const QImage image = widget->rowsArea()->grab().toImage();
        return image.pixelColor(widget->cellRect(listedRow, column).topLeft() + QPoint(1, 2));
    }

    TcxStyleRepository styles;
    DocumentGrid grid;
    std::unique_ptr<grid::DataGrid> widget;
};

TEST(FilterRowEditor, EachKeystrokeChangesRowsAndSumsAtOnce) {
    Shown shown;
    auto* editor = qobject_cast<QLineEdit*>(shown.widget->filterEditor(Partner));
    ASSERT_NE(editor, nullptr);
    const std::vector<std::tuple<char, int, QString>> keystrokes = {
        {'a', 0, ""}, {'l', 0, ""}, {'f', 0, ""}, {'a', 0, ""}, {'%', 2, "103.00"}};
    for (const auto& [key, rows, sum] : keystrokes) {
        QTest::keyClick(editor, key);
        EXPECT_EQ(shown.grid.model->recordCount(), rows) << editor->text().toStdString();
        EXPECT_EQ(shown.grid.model->footerSumText(Value), sum);
    }
    EXPECT_EQ(shown.info(), "1 of 2");
    EXPECT_TRUE(shown.widget->filterBox()->isVisible());
    QTest::mouseClick(shown.widget->filterBoxClearButton(), Qt::LeftButton);
    EXPECT_EQ(shown.grid.model->recordCount(), 4);
    EXPECT_EQ(editor->text(), "") << "the editor shows the cleared condition";
    EXPECT_FALSE(shown.widget->filterBox()->isVisible());
}

TEST(FilterRowEditor, YesNoColumnHasATriStateCheckBox) {
    Shown shown;
    auto* check = shown.widget->filterEditor(Paid)->findChild<QCheckBox*>();
    ASSERT_NE(check, nullptr);
    const std::vector<std::pair<std::vector<int>, const char*>> clicks = {
        {{0, 2}, "checked keeps the yes rows"},
        {{1, 3}, "unchecked keeps the no rows"},
        {{0, 1, 2, 3}, "grey is no condition"}};
    for (const auto& [rows, meaning] : clicks) {
        QTest::mouseClick(check, Qt::LeftButton);
        EXPECT_EQ(listedDataRows(*shown.grid.model), rows) << meaning;
    }
}

TEST(Header, ClickSortsAndShiftClickAddsAKey) {
    Shown shown;
    QWidget* header = shown.widget->header();
    QTest::mouseClick(header, Qt::LeftButton, {}, shown.widget->headerRect(Currency).center());
    QTest::mouseClick(header, Qt::LeftButton, Qt::ShiftModifier,
                      shown.widget->headerRect(Value).center());
    EXPECT_EQ(listedDataRows(*shown.grid.model), (std::vector<int>{3, 0, 2, 1}));
    QTest::mouseClick(header, Qt::LeftButton, {}, shown.widget->headerRect(Currency).center());
    EXPECT_EQ(shown.grid.model->sortOrder(Currency), grid::SortOrder::Descending);
    EXPECT_EQ(shown.grid.model->sortOrder(Value), grid::SortOrder::None);
}

void dragFromTo(QWidget* from, const QPoint& start, QWidget* to, const QPoint& end) {
    const QPoint target = from->mapFromGlobal(to->mapToGlobal(end));
    QTest::mousePress(from, Qt::LeftButton, {}, start);
    QTest::mouseMove(from, start + QPoint(10, 5));
    QTest::mouseMove(from, target);
    QTest::mouseRelease(from, Qt::LeftButton, {}, target);
}

TEST(Header, DraggedIntoTheGroupByBoxGroupsAndBackOutUngroups) {
    Shown shown;
    QWidget* header = shown.widget->header();
    QWidget* box = shown.widget->groupByBox();
    dragFromTo(header, shown.widget->headerRect(Currency).center(), box, box->rect().center());
    EXPECT_EQ(shown.grid.model->grouping(), std::vector<int>{Currency});
    EXPECT_EQ(shown.grid.model->groupCaption(0), "Curr. : EUR");
    EXPECT_TRUE(shown.widget->headerRect(Currency).isNull())
        << "a grouped column leaves the headers";

    dragFromTo(header, shown.widget->headerRect(Partner).center(), box,
               shown.widget->groupByItemRect(Currency).topLeft() - QPoint(4, 0));
    EXPECT_EQ(shown.grid.model->grouping(), (std::vector<int>{Partner, Currency}))
        << "dropped before";

    dragFromTo(box, shown.widget->groupByItemRect(Partner).center(), header,
               shown.widget->headerRect(DocDate).topLeft() + QPoint(2, 4));
    EXPECT_EQ(shown.grid.model->grouping(), std::vector<int>{Currency});
    EXPECT_EQ(shown.grid.model->visibleColumns().front(), Partner);
}

TEST(Header, DraggedAlongTheHeadersMovesTheColumn) {
    Shown shown;
    QWidget* header = shown.widget->header();
    dragFromTo(header, shown.widget->headerRect(Partner).center(), header,
               shown.widget->headerRect(Days).topRight() - QPoint(2, -4));
    EXPECT_EQ(shown.grid.model->visibleColumns(),
              (std::vector<int>{DocDate, Value, Days, Partner, Currency, Paid}));
}

TEST(Header, RightEdgeDragResizesTheColumn) {
    Shown shown;
    QWidget* header = shown.widget->header();
    const QPoint edge(shown.widget->headerRect(Partner).right() + 1, 5);
    QTest::mousePress(header, Qt::LeftButton, {}, edge);
    QTest::mouseMove(header, edge + QPoint(40, 0));
    QTest::mouseRelease(header, Qt::LeftButton, {}, edge + QPoint(40, 0));
    EXPECT_EQ(shown.grid.model->columnDef(Partner).width, 190);
    EXPECT_TRUE(shown.grid.model->sort().empty()) << "a resize is no click";
}

TEST(HeaderFilter, TheDropDownKeepsTheCheckedValues) {
    Shown shown;
    QTest::mouseMove(shown.widget->header(), shown.widget->headerRect(Currency).center());
    QTest::mouseClick(shown.widget->header(), Qt::LeftButton, {},
                      shown.widget->headerFilterButton(Currency).center());
    grid::ValueFilterPopup* popup = shown.widget->valueFilterPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->valueCount(), 2);
    EXPECT_EQ(popup->valueText(1), "LEI");
    popup->setChecked(1, true);
    popup->accept();
    EXPECT_EQ(listedDataRows(*shown.grid.model), (std::vector<int>{1, 2}));
    EXPECT_EQ(shown.grid.model->filterDescription(), "[Curr.] = 'LEI'");
}

TEST(Navigator, MovesTheFocusAndShowsWhereItIs) {
    Shown shown;
    EXPECT_EQ(shown.info(), "1 of 4");
    EXPECT_FALSE(shown.button(NavigatorButton::Prior)->isEnabled());
    shown.button(NavigatorButton::Next)->click();
    shown.button(NavigatorButton::Next)->click();
    EXPECT_EQ(shown.info(), "3 of 4");
    shown.button(NavigatorButton::SaveBookmark)->click();
    shown.button(NavigatorButton::Last)->click();
    EXPECT_EQ(shown.info(), "4 of 4");
    shown.button(NavigatorButton::GotoBookmark)->click();
    EXPECT_EQ(shown.info(), "3 of 4");
    QTest::keyClick(shown.widget->rowsArea(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(shown.info(), "1 of 4");
}

TEST(Navigator, DisablesTheDataChangingButtonsOnAReadOnlySource) {
    for (const bool editable : {false, true}) {
        Shown shown(editable);
        for (NavigatorButton which :
             {NavigatorButton::Insert, NavigatorButton::Delete, NavigatorButton::Edit})
            EXPECT_EQ(shown.button(which)->isEnabled(), editable) << int(which);
        EXPECT_FALSE(shown.button(NavigatorButton::Post)->isEnabled()) << "nothing to post";
        EXPECT_TRUE(shown.button(NavigatorButton::Refresh)->isEnabled());
    }
}

TEST(Navigator, FilterButtonEditsTheConditions) {
    AnsweringDialogs dialogs;
    Shown shown;
    shown.grid.model->setFilterValue(Partner, "alfa%");
    dialogs.modalRun = [](QDialog& dialog) {
        auto& editor = dynamic_cast<grid::FilterEditor&>(dialog);
        EXPECT_EQ(editor.valueEdit(Partner)->text(), "alfa%");
        editor.valueEdit(Partner)->clear();
        editor.valueEdit(Currency)->setText("lei");
        return int(QDialog::Accepted);
    };
    shown.button(NavigatorButton::Filter)->click();
    EXPECT_EQ(shown.grid.model->filterDescription(), "[Curr.] = 'lei'");
    EXPECT_EQ(shown.grid.model->recordCount(), 2);
}

TEST(RowColours, FollowTheListedPositionWithGroupRowsCounted) {
    Shown shown;
    const QColor even("#D9EAF7"), odd("#BCDBF1");
    grid::GridModel& model = *shown.grid.model;
    // The focus on the last row keeps the selection off the rows looked at.
    model.setFocusedRow(3);
    EXPECT_EQ(shown.pixel(0, Partner), even);
    EXPECT_EQ(shown.pixel(1, Partner), odd);
    model.clickSort(Partner, false);
    model.setFocusedRow(3);
    EXPECT_EQ(shown.pixel(0, Partner), even) << "after a new sort too";
    model.setGrouping({Currency});
    model.expandAll();
    model.setFocusedRow(model.rowCount() - 2);
    // Group row at 0, its first data row at position 1.
    EXPECT_EQ(shown.pixel(1, Partner), odd);
    EXPECT_EQ(shown.pixel(2, Partner), even);
}

TEST(RowColours, SelectionIsActiveWithFocusAndInactiveWithout) {
    Shown shown;
    EXPECT_EQ(shown.pixel(0, Partner), QColor("#316AC5"));
    QLineEdit elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    elsewhere.setFocus();
    QTest::qWait(20);
    EXPECT_EQ(shown.pixel(0, Partner), QColor("#A4C4EB"));
}

TEST(Footer, AGridWithoutSumsHidesItAndGivesItsSpaceToTheRows) {
    Shown shown;
    const int rowsHeight = shown.widget->rowsArea()->height();
    shown.widget->setFooterVisible(false);
    EXPECT_FALSE(shown.widget->footer()->isVisible());
    EXPECT_GT(shown.widget->rowsArea()->height(), rowsHeight);
}

TEST(Groups, ExpandAndCollapseByKeyAndMouse) {
    Shown shown;
    grid::GridModel& model = *shown.grid.model;
    model.setGrouping({Currency});
    QWidget* rows = shown.widget->rowsArea();
    QTest::keyClick(rows, Qt::Key_Right);
    EXPECT_TRUE(model.isExpanded(0));
    QTest::keyClick(rows, Qt::Key_Minus);
    EXPECT_FALSE(model.isExpanded(0));
    QTest::keyClick(rows, Qt::Key_Down);
    EXPECT_EQ(model.focusedRow(), 2) << "the group footer takes no focus";
    QTest::mouseClick(rows, Qt::LeftButton, {}, shown.widget->expandButtonRect(2).center());
    EXPECT_TRUE(model.isExpanded(2));
}

struct WithDialogs {
    AnsweringDialogs dialogs;
};

// Single cells, editable, with a row that must have a partner to be saved.
// The dialogs outlive the grid.
struct Editing : ::testing::Test, WithDialogs, Shown {
    Editing() : Shown(true) {
        widget->setWholeRowSelection(false);
        widget->setAppendAllowed(true);
        grid.source->setSaveCheck([this](int row) {
            if (grid.source->isNull(row, Partner))
                throw wt::Error("Field 'partener' must have a value");
        });
    }
    QWidget* rows() const { return widget->rowsArea(); }
    // The first key opens the cell's editor, which takes the rest.
    QWidget* typeIntoCell(const QString& text) const {
        QTest::keyClicks(rows(), text.left(1));
        QTest::keyClicks(widget->cellEditor(), text.mid(1));
        return widget->cellEditor();
    }
};

TEST_F(Editing, EnterMovesToTheNextCellThenTheNextRow) {
    for (int i = 0; i < 5; ++i) QTest::keyClick(rows(), Qt::Key_Return);
    EXPECT_EQ(widget->focusedColumn(), Paid);
    QTest::keyClick(rows(), Qt::Key_Return);
    EXPECT_EQ(widget->focusedColumn(), Partner);
    EXPECT_EQ(grid.model->focusedRow(), 1);
}

TEST_F(Editing, TypedValueIsSavedOnLeavingTheRow) {
    widget->setFocusedColumn(Value);
    QWidget* editor = typeIntoCell("42.5");
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(grid.source->editState(), grid::EditState::Edit);
    EXPECT_EQ(grid.model->footerSumText(Value), "66.00") << "the sum follows the edit";
    QTest::keyClick(rows(), Qt::Key_Down);
    EXPECT_EQ(grid.source->editState(), grid::EditState::Browse);
    EXPECT_EQ(grid.source->number(0, Value), 42.5);
}

TEST_F(Editing, AnUnreadableNumberIsRefusedWithItsMessage) {
    widget->setFocusedColumn(Value);
    QTest::keyClick(typeIntoCell("1,5x"), Qt::Key_Return);
    EXPECT_EQ(dialogs.errors, QStringList{"'1,5x' is not a valid floating point value."});
    EXPECT_NE(widget->cellEditor(), nullptr) << "the editor stays for a correction";
    EXPECT_EQ(grid.source->number(0, Value), 100.0);
}

TEST_F(Editing, ARefusedSaveShowsTheMessageAndKeepsTheRowInEditing) {
    button(NavigatorButton::Insert)->click();
    EXPECT_EQ(grid.source->editState(), grid::EditState::Insert);
    EXPECT_EQ(grid.model->recordCount(), 5);
    const int inserted = grid.model->focusedRow();
    QTest::keyClick(rows(), Qt::Key_Down);
    EXPECT_EQ(dialogs.errors, QStringList{"Field 'partener' must have a value."});
    EXPECT_EQ(grid.model->focusedRow(), inserted);
    EXPECT_EQ(grid.source->editState(), grid::EditState::Insert);
    QTest::keyClick(rows(), Qt::Key_Escape);
    EXPECT_EQ(grid.source->editState(), grid::EditState::Browse);
    EXPECT_EQ(grid.model->recordCount(), 4);
}

TEST_F(Editing, DownOnTheLastRowAppends) {
    QTest::keyClick(rows(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(rows(), Qt::Key_Down);
    EXPECT_EQ(grid.source->editState(), grid::EditState::Insert);
    EXPECT_EQ(grid.source->editRow(), 4);
    QTest::keyClick(typeIntoCell("Delta"), Qt::Key_Return);
    button(NavigatorButton::Post)->click();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(grid.source->text(4, Partner), "Delta");
}

TEST_F(Editing, DeleteAsksTheGridsConfirmationFirst) {
    dialogs.answer = false;
    button(NavigatorButton::Delete)->click();
    EXPECT_EQ(dialogs.questions, QStringList{"Delete record?"});
    EXPECT_EQ(grid.source->rowCount(), 4);
    dialogs.answer = true;
    QTest::keyClick(rows(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grid.source->rowCount(), 3);
    EXPECT_EQ(grid.source->text(0, Partner), "Beta SA");
}

TEST_F(Editing, SpaceTogglesAYesNoCell) {
    widget->setFocusedColumn(Paid);
    QTest::keyClick(rows(), Qt::Key_Space);
    EXPECT_FALSE(grid.source->boolean(0, Paid));
    EXPECT_EQ(grid.source->editState(), grid::EditState::Edit);
}

}  // namespace
