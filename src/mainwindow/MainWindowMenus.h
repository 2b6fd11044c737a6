// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

// Every menu of the main window with its items; the main window connects the items to its
// handlers. Several menus share an item's handler, so each caption is a QAction of its own.
class MainWindowMenus : public QObject {
    Q_OBJECT
public:
    explicit MainWindowMenus(QWidget* owner);

    // "Hotkeys"
    QMenu* const PopupMenuHotKeys;
    QAction* New1;
    QAction* Delete1;
    QAction* Resettodefault1;
    QAction* Pausehotkeys1; // a check item: all hotkeys released for a while

    // "View"
    QMenu* const PopupMenuView;
    QAction* Options1;
    QAction* Refresh1;
    QAction* Realignlist1;
    QAction* Propertiespanel1; // a check item, checked in the layout

    // "Window"
    QMenu* const PopupMenuWindow;
    QAction* Hide1;
    QAction* Minimize1;
    QAction* Exit1;

    // "Help"
    QMenu* const PopupMenuHelp;
    QAction* Whatsnew1;
    QMenu* Online1;
    QAction* Submitabug1;
    QAction* Checkforupdates1;
    QAction* Forum1;
    QAction* About1;

    // The window's context menu.
    QMenu* const PopupMenu1;
    QAction* About2;
    QAction* Options2;
    QAction* Whatsnew2;
    QAction* Hide2;
    QAction* Minimize2;
    QAction* Exit2;

    // The hotkey list's context menu.
    QMenu* const PopupMenuHotkeysList;
    QAction* Newhotkey1;
    QAction* Properties1;
    QAction* Deleteselected1;
};
