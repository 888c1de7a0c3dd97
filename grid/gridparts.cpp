#include "gridparts.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/dispatch.h"
#include "format.h"
#include "glyphs.h"

namespace grid {

// Geometry -----------------------------------------------------------------

int GridGeometry::columnsWidth() const {
    return indent + (spans.empty() ? 0 : spans.back().left + spans.back().width);
}

QRect GridGeometry::spanRect(int visual, int top, int height) const {
    const ColumnSpan& span = spans[size_t(visual)];
    return QRect(xOf(indent + span.left), top, span.width, height);
}

int GridGeometry::visualOf(int column) const {
    for (size_t i = 0; i < spans.size(); ++i)
        if (spans[i].column == column) return int(i);
    return -1;
}

int GridGeometry::visualAt(int x) const {
    for (size_t i = 0; i < spans.size(); ++i) {
        const int left = xOf(indent + spans[i].left);
        if (x >= left && x < left + spans[i].width) return int(i);
    }
    return -1;
}

int GridGeometry::insertionAt(int x) const {
    int index = 0;
    for (size_t i = 0; i < spans.size(); ++i)
        if (x > xOf(indent + spans[i].left) + spans[i].width / 2) index = int(i) + 1;
    return index;
}

Qt::Alignment alignmentOf(FieldType type) {
    const bool number = type == FieldType::Float || type == FieldType::Integer;
    return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

void paintCellText(QPainter& painter, const QRect& cell, const QString& text, Qt::Alignment align) {
    const QRect inner = cell.adjusted(3, 0, -3, 0);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width());
    painter.drawText(inner, int(align) | Qt::TextSingleLine, shown);
}

namespace {

const QColor frameLight(0xFF, 0xFF, 0xFF, 0x60);
const QColor frameDark(0x00, 0x00, 0x00, 0x50);

// A raised cell: the header's and the indicator's face.
void paintRaised(QPainter& painter, const QRect& rect, const QColor& face) {
    painter.fillRect(rect, face);
    painter.setPen(frameLight);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(frameDark);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

QString captionOf(const DataGrid& grid, int column) {
    return grid.model().columnDef(column).caption;
}

int captionWidth(const QFontMetrics& metrics, const QString& caption) {
    return metrics.horizontalAdvance(caption) + 28;  // padding and the sort arrow
}

}  // namespace

// Group-by box ---------------------------------------------------------------

GroupByBox::GroupByBox(DataGrid& grid, QWidget* parent) : QWidget(parent), grid_(grid) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QRect GroupByBox::itemRect(int level) const {
    const GridModel& model = grid_.model();
    const QFontMetrics metrics(grid_.look(StyleElement::Header).font);
    const int height = grid_.geometry().headerHeight;
    int x = 8;
    for (int i = 0; i < level; ++i)
        x += captionWidth(metrics, captionOf(grid_, model.grouping()[size_t(i)])) + 8;
    const int width = captionWidth(metrics, captionOf(grid_, model.grouping()[size_t(level)]));
    return QRect(x, 7 + level * (height / 2), width, height);
}

int GroupByBox::insertionAt(const QPoint& pos) const {
    int index = 0;
    for (int level = 0; level < grid_.model().levelCount(); ++level)
        if (pos.x() > itemRect(level).center().x()) index = level + 1;
    return index;
}

QSize GroupByBox::sizeHint() const {
    const int height = grid_.geometry().headerHeight;
    const int levels = std::max(1, grid_.model().levelCount());
    return QSize(200, 14 + height + (levels - 1) * (height / 2));
}

void GroupByBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Look box = grid_.look(StyleElement::GroupByBox);
    painter.fillRect(rect(), box.background);
    const GridModel& model = grid_.model();
    if (model.levelCount() == 0) {
        painter.setFont(box.font);
        painter.setPen(box.text);
        painter.drawText(rect().adjusted(10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Drag a column header here to group by that column"));
        return;
    }
    const Look header = grid_.look(StyleElement::Header);
    for (int level = 0; level < model.levelCount(); ++level) {
        const QRect item = itemRect(level);
        if (level > 0) {
            // The connector from the item above to this one.
            const QRect above = itemRect(level - 1);
            painter.setPen(box.text);
            painter.drawLine(above.right() - 6, above.bottom() + 1, above.right() - 6,
                             item.center().y());
            painter.drawLine(above.right() - 6, item.center().y(), item.left() - 1,
                             item.center().y());
        }
        paintRaised(painter, item, header.background);
        painter.setFont(header.font);
        painter.setPen(header.text);
        const int column = model.grouping()[size_t(level)];
        paintCellText(painter, item.adjusted(2, 0, -16, 0), captionOf(grid_, column),
                      Qt::AlignLeft | Qt::AlignVCenter);
        const SortOrder order = model.sortOrder(column);
        paintSortArrow(painter, QRect(item.right() - 16, item.top(), 14, item.height()),
                       order == SortOrder::Descending, header.text);
    }
}

void GroupByBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    for (int level = 0; level < grid_.model().levelCount(); ++level)
        if (itemRect(level).contains(event->position().toPoint()))
            grid_.pressColumn(grid_.model().grouping()[size_t(level)], true,
                              event->globalPosition().toPoint());
}

void GroupByBox::mouseMoveEvent(QMouseEvent* event) {
    grid_.dragColumn(event->globalPosition().toPoint());
}

void GroupByBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        grid_.releaseColumn(event->globalPosition().toPoint(), event->modifiers());
}

// Header -------------------------------------------------------------------

HeaderBar::HeaderBar(DataGrid& grid, QWidget* parent) : QWidget(parent), grid_(grid) {
    setMouseTracking(true);
}

QRect HeaderBar::columnRect(int visual) const {
    return grid_.geometry().spanRect(visual, 0, height());
}

QRect HeaderBar::filterButtonRect(int visual) const {
    const QRect column = columnRect(visual);
    return QRect(column.right() - 14, column.top() + 2, 13, column.height() - 4);
}

int HeaderBar::resizeEdgeAt(int x) const {
    const GridGeometry& geometry = grid_.geometry();
    for (int visual = 0; visual < int(geometry.spans.size()); ++visual)
        if (std::abs(x - (columnRect(visual).right() + 1)) <= 3) return visual;
    return -1;
}

void HeaderBar::paintColumn(QPainter& painter, int visual, const Look& look) {
    const GridModel& model = grid_.model();
    const int column = grid_.geometry().spans[size_t(visual)].column;
    const QRect rect = columnRect(visual);
    paintRaised(painter, rect, look.background);
    const SortOrder order = model.sortOrder(column);
    const bool filtered = model.valueFilter(column).has_value();
    const bool showButton = filtered || hovered_ == visual;
    const int buttonSpace = showButton ? 14 : 0;
    const int reserved = (order != SortOrder::None ? 12 : 0) + buttonSpace;
    painter.setPen(look.text);
    paintCellText(painter, rect.adjusted(1, 0, -reserved, 0), model.columnDef(column).caption,
                  Qt::AlignLeft | Qt::AlignVCenter);
    if (order != SortOrder::None)
        paintSortArrow(painter,
                       QRect(rect.right() - buttonSpace - 12, rect.top(), 12, rect.height()),
                       order == SortOrder::Descending, look.text);
    if (showButton) {
        const QRect button = filterButtonRect(visual);
        if (filtered) painter.fillRect(button, look.text.lighter(100).darker(130));
        paintDropDownArrow(painter, button, filtered ? look.background : look.text);
    }
}

void HeaderBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const GridGeometry& geometry = grid_.geometry();
    const Look look = grid_.look(StyleElement::Header);
    painter.fillRect(rect(), grid_.look(StyleElement::Background).background);
    painter.setFont(look.font);
    painter.setClipRect(QRect(GridGeometry::indicatorWidth, 0, width(), height()));
    if (geometry.indent > 0)
        paintRaised(painter, QRect(geometry.xOf(0), 0, geometry.indent, height()), look.background);
    for (int visual = 0; visual < int(geometry.spans.size()); ++visual)
        paintColumn(painter, visual, look);
    painter.setClipping(false);
    paintRaised(painter, QRect(0, 0, GridGeometry::indicatorWidth, height()),
                grid_.look(StyleElement::Indicator).background);
}

void HeaderBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int x = event->position().toPoint().x();
    const int edge = resizeEdgeAt(x);
    if (edge >= 0) {
        resizing_ = grid_.geometry().spans[size_t(edge)].column;
        resizeStartX_ = x;
        resizeStartWidth_ = grid_.model().columnDef(resizing_).width;
        return;
    }
    const int visual = grid_.geometry().visualAt(x);
    if (visual < 0) return;
    if (filterButtonRect(visual).contains(event->position().toPoint())) {
        const int column = grid_.geometry().spans[size_t(visual)].column;
        wt::dispatch([&] { grid_.showValueFilter(column); });
        return;
    }
    grid_.pressColumn(grid_.geometry().spans[size_t(visual)].column, false,
                      event->globalPosition().toPoint());
}

void HeaderBar::mouseMoveEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (resizing_ >= 0) {
        grid_.model().setColumnWidth(resizing_, resizeStartWidth_ + x - resizeStartX_);
        return;
    }
    if (event->buttons() & Qt::LeftButton) {
        grid_.dragColumn(event->globalPosition().toPoint());
        return;
    }
    setCursor(resizeEdgeAt(x) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
    const int hovered = grid_.geometry().visualAt(x);
    if (hovered != hovered_) {
        hovered_ = hovered;
        update();
    }
}

void HeaderBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (resizing_ >= 0) {
        resizing_ = -1;
        return;
    }
    grid_.releaseColumn(event->globalPosition().toPoint(), event->modifiers());
}

void HeaderBar::leaveEvent(QEvent*) {
    hovered_ = -1;
    update();
}

// Filter row ---------------------------------------------------------------

FilterRowBar::FilterRowBar(DataGrid& grid, QWidget* parent) : QWidget(parent), grid_(grid) {}

QWidget* FilterRowBar::editor(int column) const {
    const auto found = editors_.find(column);
    return found == editors_.end() ? nullptr : found->second;
}

void FilterRowBar::apply(int column, const QVariant& value) {
    wt::dispatch([&] { grid_.model().setFilterValue(column, value); });
}

QWidget* FilterRowBar::makeDateEditor(int column) {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* text = new QLineEdit(box);
    text->setFrame(false);
    auto* button = new QToolButton(box);
    button->setText(QStringLiteral("\u25BE"));
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(14);
    layout->addWidget(text);
    layout->addWidget(button);
    box->setFocusProxy(text);
    connect(text, &QLineEdit::textChanged, this,
            [this, column](const QString& typed) { apply(column, typed); });
    connect(button, &QToolButton::clicked, this, [this, text, box] {
        auto* popup = new QCalendarWidget;
        popup->setWindowFlags(Qt::Popup);
        popup->setAttribute(Qt::WA_DeleteOnClose);
        if (const auto date = readDate(text->text(), grid_.model().locale()))
            popup->setSelectedDate(*date);
        connect(popup, &QCalendarWidget::clicked, text, [this, text, popup](QDate date) {
            text->setText(
                grid_.model().locale().toString(date, displayDateFormat(grid_.model().locale())));
            popup->close();
        });
        popup->move(box->mapToGlobal(QPoint(0, box->height())));
        popup->show();
    });
    return box;
}

QWidget* FilterRowBar::makeEditor(int column) {
    const FieldType type = grid_.model().columnType(column);
    if (type == FieldType::Date || type == FieldType::DateTime) return makeDateEditor(column);
    if (type == FieldType::Boolean) {
        auto* box = new QWidget(this);
        auto* layout = new QHBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* check = new QCheckBox(box);
        layout->addWidget(check, 0, Qt::AlignCenter);
        box->setFocusProxy(check);
        check->setTristate(true);
        check->setCheckState(Qt::PartiallyChecked);  // no condition
        connect(check, &QCheckBox::stateChanged, this, [this, column](int state) {
            apply(column,
                  state == Qt::PartiallyChecked ? QVariant() : QVariant(state == Qt::Checked));
        });
        return box;
    }
    auto* text = new QLineEdit(this);
    text->setFrame(false);
    text->setAlignment(alignmentOf(type));
    connect(text, &QLineEdit::textChanged, this,
            [this, column](const QString& typed) { apply(column, typed); });
    return text;
}

void FilterRowBar::syncColumns() {
    std::vector<FieldType> types;
    for (int column = 0; column < grid_.model().columnCount(); ++column)
        types.push_back(grid_.model().columnType(column));
    if (types == types_ && editors_.size() == types.size()) return;
    types_ = std::move(types);
    for (auto& [column, editor] : editors_) delete editor;
    editors_.clear();
    for (int column = 0; column < int(types_.size()); ++column)
        editors_[column] = makeEditor(column);
    place();
    showValues();
}

void FilterRowBar::place() {
    const GridGeometry& geometry = grid_.geometry();
    for (auto& [column, editor] : editors_) {
        const int visual = geometry.visualOf(column);
        if (visual < 0) {
            editor->hide();
            continue;
        }
        const QRect cell = geometry.spanRect(visual, 0, height()).adjusted(1, 1, -1, -1);
        const bool hidden = cell.right() < GridGeometry::indicatorWidth || cell.left() > width();
        editor->setGeometry(cell);
        editor->setVisible(!hidden);
        // Editors scrolled partly under the indicator are cut there.
        editor->setMask(QRect(std::max(0, GridGeometry::indicatorWidth - cell.left()), 0,
                              cell.width(), cell.height()));
    }
    update();
}

void FilterRowBar::showValues() {
    const GridModel& model = grid_.model();
    for (auto& [column, editor] : editors_) {
        const QSignalBlocker blocker(editor);
        const QVariant value = model.filterValue(column);
        if (auto* check = editor->findChild<QCheckBox*>()) {
            const QSignalBlocker checkBlocker(check);
            check->setCheckState(value.isNull()   ? Qt::PartiallyChecked
                                 : value.toBool() ? Qt::Checked
                                                  : Qt::Unchecked);
            continue;
        }
        auto* text = qobject_cast<QLineEdit*>(editor);
        if (!text) text = editor->findChild<QLineEdit*>();
        const QString shown = value.typeId() == QMetaType::QString
                                  ? value.toString()
                                  : formatValue(model.columnType(column), value, model.locale());
        if (text->text() != shown) {
            const QSignalBlocker textBlocker(text);
            text->setText(shown);
        }
    }
}

void FilterRowBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const GridGeometry& geometry = grid_.geometry();
    painter.fillRect(rect(), grid_.look(StyleElement::Background).background);
    painter.fillRect(QRect(geometry.xOf(0), 0, geometry.columnsWidth(), height()), Qt::white);
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    for (int visual = 0; visual < int(geometry.spans.size()); ++visual) {
        const QRect cell = geometry.spanRect(visual, 0, height());
        painter.drawLine(cell.topRight(), cell.bottomRight());
    }
    painter.drawLine(0, height() - 1, geometry.xOf(geometry.columnsWidth()), height() - 1);
    paintRaised(painter, QRect(0, 0, GridGeometry::indicatorWidth, height()),
                grid_.look(StyleElement::Indicator).background);
    // A small funnel marks the filter row.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x40, 0x40, 0x40));
    const double c = GridGeometry::indicatorWidth / 2.0, m = height() / 2.0;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPolygon(QPolygonF({{c - 4, m - 3},
                                   {c + 4, m - 3},
                                   {c + 1, m + 1},
                                   {c + 1, m + 4},
                                   {c - 1, m + 3},
                                   {c - 1, m + 1}}));
}

// Footer -------------------------------------------------------------------

FooterBar::FooterBar(DataGrid& grid, QWidget* parent) : QWidget(parent), grid_(grid) {}

void FooterBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const GridGeometry& geometry = grid_.geometry();
    painter.fillRect(rect(), grid_.look(StyleElement::Background).background);
    const QRect band(geometry.xOf(0), 0, geometry.columnsWidth(), height());
    painter.setClipRect(QRect(GridGeometry::indicatorWidth, 0, width(), height()));
    paintSumCells(painter, geometry, grid_.look(StyleElement::Footer), band,
                  [this](int column) { return grid_.model().footerSumText(column); });
    painter.setClipping(false);
    paintRaised(painter, QRect(0, 0, GridGeometry::indicatorWidth, height()),
                grid_.look(StyleElement::Indicator).background);
}

// The footer's and the group footers' band: the sums in sunken cells under
// their columns.
void paintSumCells(QPainter& painter, const GridGeometry& geometry, const Look& look,
                   const QRect& band, const std::function<QString(int column)>& sumText) {
    painter.fillRect(band, look.background);
    painter.setPen(frameDark);
    painter.drawLine(band.bottomLeft(), band.bottomRight());
    painter.setFont(look.font);
    for (int visual = 0; visual < int(geometry.spans.size()); ++visual) {
        const QString text = sumText(geometry.spans[size_t(visual)].column);
        if (text.isEmpty()) continue;
        const QRect cell =
            geometry.spanRect(visual, band.top(), band.height()).adjusted(1, 2, -2, -3);
        painter.setPen(frameDark);
        painter.drawLine(cell.topLeft(), cell.topRight());
        painter.drawLine(cell.topLeft(), cell.bottomLeft());
        painter.setPen(QColor(Qt::white));
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.setPen(look.text);
        paintCellText(painter, cell, text, Qt::AlignRight | Qt::AlignVCenter);
    }
}

// Filter box ---------------------------------------------------------------

FilterBoxBar::FilterBoxBar(DataGrid& grid, QWidget* parent)
    : QWidget(parent), grid_(grid), clear_(new QToolButton(this)) {
    clear_->setText(QStringLiteral("\u2715"));
    clear_->setToolTip(QStringLiteral("Clear filter"));
    clear_->setAutoRaise(true);
    clear_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->addWidget(clear_);
    layout->addStretch(1);
    wt::on(clear_, &QToolButton::clicked, this, [this](bool) { grid_.model().clearFilter(); });
    hide();
}

void FilterBoxBar::showFilter() {
    text_ = grid_.model().filterDescription();
    setVisible(!text_.isEmpty());
    update();
}

void FilterBoxBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Look look = grid_.look(StyleElement::FilterBox);
    painter.fillRect(rect(), look.background);
    painter.setPen(frameDark);
    painter.drawLine(0, 0, width(), 0);
    painter.setFont(look.font);
    painter.setPen(look.text);
    const int left = clear_->geometry().right() + 8;
    paintCellText(painter, QRect(left, 0, width() - left - 4, height()), text_,
                  Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace grid
