// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TrayHost.h"

#include <QPointer>

class QSystemTrayIcon;
class StatusNotifierItem;

// The tray on a Linux desktop: a StatusNotifierItem when a panel's watcher with a host is on
// the session bus (at the start or whenever one comes), else Qt's icon in an XEmbed system
// tray. Qt gives one event per click (the press, or the panel's activation), which is
// reported as a whole click.
class QtTrayHost : public TrayHost {
    Q_OBJECT
public:
    QtTrayHost();
    ~QtTrayHost() override;

    bool available() const override;
    bool add(const QIcon& icon, const QString& tip) override;
    bool modify(const QIcon& icon, const QString& tip) override;
    bool remove() override;
    void setMenu(QMenu* menu) override;
    // Qt's icon shows balloons; a StatusNotifierItem has none.
    bool showMessage(const QString& title, const QString& text) override;

private slots:
    // A watcher came, or a host registered with it.
    void watcherChanged();

private:
    void setUp();
    // Asks the watcher in the background whether a host draws its items; the answer brings
    // the item or Qt's icon.
    void askWatcher();
    void watcherAnswered(bool host);
    void createIcon();
    void useStatusNotifier();
    // The item takes the icon and tip last given.
    void updateItem();
    void click(Button button);

    QSystemTrayIcon* m_icon = nullptr;
    StatusNotifierItem* m_item = nullptr;
    QPointer<QMenu> m_menu;
    QIcon m_image;
    QString m_tip;
    bool m_setUp = false;
    bool m_shown = false;
    // With the item: a panel's watcher is on the bus.
    bool m_panel = false;
    bool m_asking = false;
    bool m_askAgain = false; // the watcher changed while a question was on its way
};
