// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeView>

// ListView1: the hotkey list in report view. Rows are the hotkey table itself, 32 pixels high
// with the entry's icon; the check boxes and grid lines follow the list settings. The view
// never flips a check box on its own: a press on the strip of check boxes and Space on the
// selected row are reported, and the main window applies the row.
class HotkeyListView : public QTreeView {
    Q_OBJECT
public:
    static constexpr int Left = 2;
    static constexpr int Top = 45;
    static constexpr int RowHeight = 32;
    static constexpr int HeaderHeight = 20;
    static constexpr int ColumnWidths[] = {160, 70, 250, 38, 0, 0, 0, 0};

    explicit HotkeyListView(QWidget* parent);

    // The row that the check-box strip names for a press at (x, y) in the list's client
    // coordinates (header included), computed, not hit-tested; -1 outside the strip or
    // below the last row.
    static int StripRow(int x, int y, int topRow, int rowCount);

    int TopRow() const;
    int SelectedRow() const;
    // Selects row (or clears the selection for -1), which raises selectionChanged.
    void SelectRow(int row);
    void ScrollByPixels(int pixels);
    void Realign();

    bool CheckBoxes() const { return m_checkBoxes; }
    void SetCheckBoxes(bool on);
    bool GridLines() const { return m_gridLines; }
    void SetGridLines(bool on);

signals:
    // A mouse press at (x, y) in client coordinates; newCheck is the row's new check state
    // when the press flipped a visible check box (0 or 1), else -1.
    void pressed(int x, int y, Qt::MouseButton button, int newCheck);
    // Space on the selected row: its check box asks to flip.
    void spaceOnRow(int row, bool newCheck);
    // A double click anywhere on the list, on a row or not.
    void doubleClickedAnywhere();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles) override;

private:
    // The closed column a press just right of the last open divider drags open, or -1.
    int closedColumnAt(int x) const;

    int flippedCheck(const QPoint& viewportPos) const;

    bool m_checkBoxes = true;
    bool m_gridLines = false;
    int m_opening = -1; // the closed column being dragged open
    int m_openingFrom = 0;
};
