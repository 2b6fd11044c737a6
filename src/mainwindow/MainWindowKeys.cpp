// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/MainWindowKeys.h"

#include "controls/TdxButton.h"
#include "mainwindow/HotkeyListView.h"
#include "mainwindow/IconPicker.h"
#include "mainwindow/MainWindowMenus.h"
#include "mainwindow/PropertiesPanel.h"
#include "mainwindow/TForm1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>
#include <algorithm>

MainWindowKeys::MainWindowKeys(TForm1& form)
    : QObject(&form), m_form(form), m_buttons{form.Frame.ButtonHotKeys, form.Frame.ButtonView,
                                              form.Frame.ButtonWindow, form.Frame.ButtonHelp},
      m_menus{form.Menus->PopupMenuHotKeys, form.Menus->PopupMenuView, form.Menus->PopupMenuWindow,
              form.Menus->PopupMenuHelp} {
    const QList<QWidget*> cycle = TabCycle(form);
    for (qsizetype i = 1; i < cycle.size(); ++i)
        QWidget::setTabOrder(cycle[i - 1], cycle[i]);

    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &form);
    connect(f10, &QShortcut::activated, this, [this] { OpenMenu(0); });
    form.ListView1->installEventFilter(this);
    for (QMenu* menu : m_menus)
        menu->installEventFilter(this);
}

QList<QWidget*> MainWindowKeys::TabCycle(const TForm1& form) {
    const PropertiesPanel* p = form.GroupBoxProperties;
    const MainWindowFrame& f = form.Frame;
    // The panel column by column, as it reads: the boxes, the key, the icon, the target, the
    // buttons.
    // The icon picker covers the boxes while it is open, and comes first then.
    return {form.ListView1,     p->ListView2,     p->EnabledCheckBox, p->AltCheckBox,
            p->ControlCheckBox, p->ShiftCheckBox, p->WinCheckBox,     p->CharComboBox,
            p->KeyComboBox,     p->ButtonRecord,  p->IconSpeedButton, p->EditExecute,
            p->ButtonApply,     p->ButtonTest,    p->ButtonFunctions, p->ButtonBrowse,
            f.ButtonHotKeys,    f.ButtonView,     f.ButtonWindow,     f.ButtonHelp,
            f.ButtonMinimize,   f.ButtonExit};
}

void MainWindowKeys::OpenMenu(int index) {
    // Through the button, so the menu drops where a press on it drops it.
    m_buttons.at(size_t(index))->Click();
    QMenu* menu = m_menus.at(size_t(index));
    for (QAction* item : menu->actions()) {
        if (!item->isSeparator() && item->isVisible() && item->isEnabled()) {
            menu->setActiveAction(item);
            break;
        }
    }
}

bool MainWindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_form.ListView1)
        return listKey(key->key(), key->modifiers() & ~Qt::KeypadModifier);
    if (auto* menu = qobject_cast<QMenu*>(watched))
        return menuKey(menu, key->key());
    return QObject::eventFilter(watched, event);
}

bool MainWindowKeys::listKey(int key, Qt::KeyboardModifiers modifiers) {
    if (key != Qt::Key_Delete || modifiers != Qt::NoModifier || m_form.ListView1->SelectedRow() < 0)
        return false;
    m_form.Delete1Click();
    return true;
}

bool MainWindowKeys::menuKey(QMenu* menu, int key) {
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    // Right on an item with a submenu opens the submenu.
    if (key == Qt::Key_Right && menu->activeAction() && menu->activeAction()->menu())
        return false;
    const auto at = std::find(m_menus.begin(), m_menus.end(), menu);
    if (at == m_menus.end())
        return false;
    const int count = int(m_menus.size());
    const int index = int(at - m_menus.begin());
    menu->hide();
    OpenMenu((index + (key == Qt::Key_Right ? 1 : count - 1)) % count);
    return true;
}
