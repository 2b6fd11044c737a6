// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QListView>

class HotkeyIconList;

// One item per hotkey icon, without captions. An icon is fetched from the icon list only
// when the view draws or measures its item, so filling the picker decodes nothing.
class IconPickerModel : public QAbstractListModel {
    Q_OBJECT
public:
    IconPickerModel(const HotkeyIconList& icons, QObject* parent);

    // Empties the list, then appends items 0 .. count - 1.
    void Fill(int count);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const HotkeyIconList& m_icons;
    int m_count = 0;
};

// The icon picker: a large-icon view of the hotkey icons arranged column by column from
// the left, one icon selectable, a hand pointer over an icon. A press beside the icons
// clears the selection (the view's own single-selection rule), so a click there chooses
// nothing.
class IconPicker : public QListView {
    Q_OBJECT
public:
    IconPicker(const HotkeyIconList& icons, QWidget* parent);

    // The start-up step: empties the picker, then one item per icon in index order.
    void Fill();
    int Count() const;

    // The selected icon, -1 for none.
    int SelectedIcon() const;
    // Selects icon `index`; an index outside the picker leaves nothing selected.
    void SelectIcon(int index);

signals:
    // A left click anywhere in the picker, after the selection has followed it; also Enter or
    // Space on the current icon, which selects it.
    void OnClick();
    // Escape: closed without a choice; the icon selected when the picker was shown is selected
    // again.
    void dismissed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    IconPickerModel* m_model;
    int m_selectedAtShow = -1;
};
