// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <array>

class QMenu;
class QWidget;
class TForm1;
class TdxButton;

// The main window from the keyboard alone. F10 opens the Hotkeys menu as a menu bar opens its
// first menu, Left and Right in an open menu go on to the neighbouring menu button's menu,
// Delete on a selected row runs Delete Selected, and Tab walks the window in reading order.
class MainWindowKeys : public QObject {
    Q_OBJECT
public:
    // For a built window, which owns it.
    explicit MainWindowKeys(TForm1& form);

    // The window's Tab cycle, first to last: the list, the panel's fields and buttons, the menu
    // buttons, Minimize and Hide. The title bar is not in it.
    static QList<QWidget*> TabCycle(const TForm1& form);

    // Opens menu button `index`'s menu (0 Hotkeys, 1 View, 2 Window, 3 Help) with its first
    // item active, as a menu bar opened from the keyboard does.
    void OpenMenu(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool listKey(int key, Qt::KeyboardModifiers modifiers);
    bool menuKey(QMenu* menu, int key);

    TForm1& m_form;
    std::array<TdxButton*, 4> m_buttons;
    std::array<QMenu*, 4> m_menus;
};
