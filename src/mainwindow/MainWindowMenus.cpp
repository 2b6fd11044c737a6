// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/MainWindowMenus.h"

#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

namespace {

QMenu* menu(QWidget* owner, const char* name) {
    auto* m = new QMenu(owner);
    m->setObjectName(QLatin1String(name));
    return m;
}

QAction* item(QMenu* m, const QString& name, const QString& caption) {
    QAction* a = m->addAction(caption);
    a->setObjectName(name);
    return a;
}

QAction* item(QMenu* m, const char* name, const QString& caption) {
    return item(m, QLatin1String(name), caption);
}

// Hide, Minimize, a separator and Exit: how the Window menu and the window's context menu
// both end. The items' names end in `n` (Hide1 in the one, Hide2 in the other).
void addWindowItems(QMenu* m, char n, QAction*& hide, QAction*& minimize, QAction*& exit) {
    const auto name = [n](const char* base) { return QLatin1String(base) + QLatin1Char(n); };
    hide = item(m, name("Hide"), QStringLiteral("Hide"));
    minimize = item(m, name("Minimize"), QStringLiteral("Minimize"));
    m->addSeparator();
    exit = item(m, name("Exit"), QStringLiteral("Exit"));
}

// The Window menu and the window's context menu take their items with the left button only,
// so a right click that opened the menu cannot end the program by accident.
class LeftButtonOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

MainWindowMenus::MainWindowMenus(QWidget* owner)
    : QObject(owner), PopupMenuHotKeys(menu(owner, "PopupMenuHotKeys")),
      PopupMenuView(menu(owner, "PopupMenuView")), PopupMenuWindow(menu(owner, "PopupMenuWindow")),
      PopupMenuHelp(menu(owner, "PopupMenuHelp")), PopupMenu1(menu(owner, "PopupMenu1")),
      PopupMenuHotkeysList(menu(owner, "PopupMenuHotkeysList")) {
    New1 = item(PopupMenuHotKeys, "New1", QStringLiteral("New"));
    Delete1 = item(PopupMenuHotKeys, "Delete1", QStringLiteral("Delete Selected"));
    PopupMenuHotKeys->addSeparator();
    Resettodefault1 =
        item(PopupMenuHotKeys, "Resettodefault1", QStringLiteral("Reset all to default"));
    PopupMenuHotKeys->addSeparator();
    Pausehotkeys1 = item(PopupMenuHotKeys, "Pausehotkeys1", QStringLiteral("Pause hotkeys"));
    Pausehotkeys1->setCheckable(true);

    Options1 = item(PopupMenuView, "Options1", QStringLiteral("Options"));
    PopupMenuView->addSeparator();
    Refresh1 = item(PopupMenuView, "Refresh1", QStringLiteral("Refresh"));
    Realignlist1 = item(PopupMenuView, "Realignlist1", QStringLiteral("Realign list"));
    PopupMenuView->addSeparator();
    Propertiespanel1 = item(PopupMenuView, "Propertiespanel1", QStringLiteral("Properties panel"));
    Propertiespanel1->setCheckable(true);
    Propertiespanel1->setChecked(true);

    addWindowItems(PopupMenuWindow, '1', Hide1, Minimize1, Exit1);

    Whatsnew1 = item(PopupMenuHelp, "Whatsnew1", QStringLiteral("What's new"));
    Online1 = PopupMenuHelp->addMenu(QStringLiteral("Online"));
    Online1->setObjectName(QStringLiteral("Online1"));
    Submitabug1 = item(Online1, "Submitabug1", QStringLiteral("Submit a bug"));
    Checkforupdates1 = item(Online1, "Checkforupdates1", QStringLiteral("Check for updates"));
    Forum1 = item(Online1, "Forum1", QStringLiteral("Forum"));
    PopupMenuHelp->addSeparator();
    About1 = item(PopupMenuHelp, "About1", QStringLiteral("About"));

    About2 = item(PopupMenu1, "About2", QStringLiteral("About"));
    Options2 = item(PopupMenu1, "Options2", QStringLiteral("Options"));
    Whatsnew2 = item(PopupMenu1, "Whatsnew2", QStringLiteral("What's new"));
    PopupMenu1->addSeparator();
    addWindowItems(PopupMenu1, '2', Hide2, Minimize2, Exit2);

    Newhotkey1 = item(PopupMenuHotkeysList, "Newhotkey1", QStringLiteral("New hotkey"));
    Properties1 = item(PopupMenuHotkeysList, "Properties1", QStringLiteral("Properties"));
    PopupMenuHotkeysList->addSeparator();
    Deleteselected1 =
        item(PopupMenuHotkeysList, "Deleteselected1", QStringLiteral("Delete selected"));

    auto* leftOnly = new LeftButtonOnly(this);
    PopupMenuWindow->installEventFilter(leftOnly);
    PopupMenu1->installEventFilter(leftOnly);
}
