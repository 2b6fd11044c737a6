// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/IconPicker.h"

#include "mainwindow/HotkeyIconList.h"

#include <QKeyEvent>
#include <QMouseEvent>

IconPickerModel::IconPickerModel(const HotkeyIconList& icons, QObject* parent)
    : QAbstractListModel(parent), m_icons(icons) {}

void IconPickerModel::Fill(int count) {
    beginResetModel();
    m_count = 0;
    endResetModel();
    if (count <= 0)
        return;
    beginInsertRows({}, 0, count - 1);
    m_count = count;
    endInsertRows();
}

int IconPickerModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

QVariant IconPickerModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_count)
        return {};
    // The pictures have no names: a screen reader counts them.
    if (role == Qt::AccessibleTextRole)
        return QStringLiteral("Icon %1").arg(index.row() + 1);
    if (role != Qt::DecorationRole)
        return {};
    return m_icons.icon(index.row());
}

Qt::ItemFlags IconPickerModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

IconPicker::IconPicker(const HotkeyIconList& icons, QWidget* parent)
    : QListView(parent), m_model(new IconPickerModel(icons, this)) {
    setAccessibleName(QStringLiteral("Icons"));
    setModel(m_model);
    setViewMode(QListView::IconMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setIconSize(QSize(32, 32));
    setGridSize(QSize(38, 38));
    // Every item has the same size, so the layout measures one item instead of fetching
    // all the icons.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    viewport()->setMouseTracking(true);
    // The chosen icon stays marked while the focus is elsewhere.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight,
               p.color(QPalette::Active, QPalette::Highlight));
    setPalette(p);
}

void IconPicker::Fill() {
    m_model->Fill(HotkeyIconList::Count);
}

int IconPicker::Count() const {
    return m_model->rowCount();
}

int IconPicker::SelectedIcon() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void IconPicker::SelectIcon(int index) {
    if (index < 0 || index >= Count()) {
        selectionModel()->clear();
        return;
    }
    selectionModel()->setCurrentIndex(m_model->index(index), QItemSelectionModel::ClearAndSelect);
}

void IconPicker::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit OnClick();
}

void IconPicker::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QListView::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        if (currentIndex().isValid())
            SelectIcon(currentIndex().row());
        emit OnClick();
    } else if (key == Qt::Key_Escape) {
        // The arrows select as they move; going back undoes that.
        SelectIcon(m_selectedAtShow);
        emit dismissed();
    } else {
        QListView::keyPressEvent(event);
    }
}

void IconPicker::showEvent(QShowEvent* event) {
    m_selectedAtShow = SelectedIcon();
    QListView::showEvent(event);
}

void IconPicker::mouseMoveEvent(QMouseEvent* event) {
    const bool overIcon = indexAt(event->position().toPoint()).isValid();
    viewport()->setCursor(overIcon ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QListView::mouseMoveEvent(event);
}
