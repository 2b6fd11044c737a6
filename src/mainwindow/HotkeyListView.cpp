// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/HotkeyListView.h"

#include "controls/LayoutPixels.h"
#include "controls/Skin.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Rows as high as their 32-pixel icons; the flag columns centred; check boxes and grid lines
// as the list settings say.
class RowDelegate : public QStyledItemDelegate {
public:
    // Owned by the view it draws for.
    explicit RowDelegate(HotkeyListView* view) : QStyledItemDelegate(view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), HotkeyListView::RowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!m_view->GridLines())
            return;
        const QRect r = option.rect;
        const QColor line = option.palette.color(QPalette::Mid);
        LayoutPixels::Line(*painter, r.bottomLeft(), r.bottomRight(), line);
        LayoutPixels::Line(*painter, r.topRight(), r.bottomRight(), line);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_view->CheckBoxes())
            option->features &= ~QStyleOptionViewItem::HasCheckIndicator;
        if (index.column() >= 3)
            option->displayAlignment = Qt::AlignCenter;
        // A row whose icon is outside the list keeps the icon's room empty, so its caption
        // stands where every other row's does.
        if (index.column() == 0) {
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->decorationSize = m_view->iconSize();
        }
    }

private:
    const HotkeyListView* m_view;
};

} // namespace

HotkeyListView::HotkeyListView(QWidget* parent) : QTreeView(parent) {
    setObjectName(QStringLiteral("ListView1"));
    setAccessibleName(QStringLiteral("Hotkeys"));
    setGeometry(Left, Top, 538, 228);
    setItemDelegate(new RowDelegate(this));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(32, 32));
    // Whole rows per scroll step, so the topmost row always starts under the header.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFont(Skin::Font(13, true));

    QPalette p = palette();
    p.setColor(QPalette::Base, Skin::DesignPalette.listBackground);
    p.setColor(QPalette::Text, Qt::black);
    // The selection stays highlighted when the list loses the focus.
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    setPalette(p);

    QHeaderView* h = header();
    h->setFixedHeight(HeaderHeight);
    h->setStretchLastSection(false);
    h->setSectionsClickable(false);
    h->setSectionsMovable(false);
    h->setMinimumSectionSize(0);
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setFont(Skin::Font(11));
    // The header's own dividers cannot be caught where closed columns sit at the end.
    h->viewport()->installEventFilter(this);
}

int HotkeyListView::StripRow(int x, int y, int topRow, int rowCount) {
    // The strip of check boxes: the leftmost 22 pixels.
    if (x - Left >= 20)
        return -1;
    // No hit test: a 20-pixel header and 32-pixel rows are assumed (C++ division truncates
    // like the rule's trunc).
    const int row = (y - Top + 25) / RowHeight + topRow;
    return row >= 0 && row < rowCount ? row : -1;
}

int HotkeyListView::TopRow() const {
    return verticalScrollBar()->value();
}

int HotkeyListView::SelectedRow() const {
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void HotkeyListView::SelectRow(int row) {
    if (!model() || !selectionModel())
        return;
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
}

void HotkeyListView::ScrollByPixels(int pixels) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + pixels / RowHeight);
}

void HotkeyListView::Realign() {
    for (int col = 0; col < int(std::size(ColumnWidths)); ++col)
        header()->resizeSection(col, ColumnWidths[col]);
    viewport()->update();
}

void HotkeyListView::SetCheckBoxes(bool on) {
    if (on == m_checkBoxes)
        return;
    m_checkBoxes = on;
    viewport()->update();
}

void HotkeyListView::SetGridLines(bool on) {
    if (on == m_gridLines)
        return;
    m_gridLines = on;
    viewport()->update();
}

int HotkeyListView::flippedCheck(const QPoint& viewportPos) const {
    if (!m_checkBoxes)
        return -1;
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid() || index.column() != 0)
        return -1;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
    if (!box.contains(viewportPos))
        return -1;
    return index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? 0 : 1;
}

void HotkeyListView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int x = at.x();
    const int y = at.y() + header()->height();
    // A press on the strip selects and applies its row through the main window; the list's
    // own selection handling stays out of it.
    if (x - Left >= 20)
        QTreeView::mousePressEvent(event);
    const int newCheck = event->button() == Qt::LeftButton ? flippedCheck(at) : -1;
    emit pressed(x, y, event->button(), newCheck);
}

void HotkeyListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    emit doubleClickedAnywhere();
}

void HotkeyListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (const int row = SelectedRow(); row >= 0) {
            const bool checked =
                model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
            emit spaceOnRow(row, !checked);
            return;
        }
    }
    QTreeView::keyPressEvent(event);
}

bool HotkeyListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // The check box is flipped by the press handling above, through Apply; the item
    // delegate must not flip it a second time on release or Space.
    if (event &&
        (event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick || event->type() == QEvent::KeyPress))
        return false;
    return QTreeView::edit(index, trigger, event);
}

int HotkeyListView::closedColumnAt(int x) const {
    const QHeaderView* h = header();
    const int end = h->length();
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, h);
    if (x < end || x > end + std::max(grip, 4))
        return -1;
    for (int visual = 0; visual < h->count(); ++visual) {
        const int col = h->logicalIndex(visual);
        if (h->sectionSize(col) == 0 && !h->isSectionHidden(col))
            return col;
    }
    return -1;
}

bool HotkeyListView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != header()->viewport())
        return QTreeView::eventFilter(watched, event);
    // The flag columns are closed (width 0) at the end of the header; a drag just right of
    // the last divider opens the first of them, as the list control this window was laid
    // out for allows.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return QTreeView::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton) {
            m_opening = closedColumnAt(int(mouse->position().x()));
            m_openingFrom = header()->length();
            return m_opening >= 0;
        }
        break;
    case QEvent::MouseMove:
        if (m_opening >= 0) {
            header()->resizeSection(m_opening,
                                    std::max(0, int(mouse->position().x()) - m_openingFrom));
            return true;
        }
        header()->viewport()->setCursor(
            closedColumnAt(int(mouse->position().x())) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
        break;
    case QEvent::MouseButtonRelease:
        if (m_opening >= 0) {
            m_opening = -1;
            return true;
        }
        break;
    default: break;
    }
    return QTreeView::eventFilter(watched, event);
}

void HotkeyListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                 const QList<int>& roles) {
    QTreeView::dataChanged(topLeft, bottomRight, roles);
    // Qt reports a changed cell only as a change of the table, which screen readers do not
    // take for a tick: each row's box says it itself.
    if (!QAccessible::isActive() || !roles.contains(Qt::CheckStateRole))
        return;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface* table = list ? list->tableInterface() : nullptr;
    if (!table)
        return;
    QAccessible::State checked;
    checked.checked = true;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        if (QAccessibleInterface* box = table->cellAt(row, 0)) {
            QAccessibleStateChangeEvent event(box, checked);
            QAccessible::updateAccessibility(&event);
        }
    }
}
