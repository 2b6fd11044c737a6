#pragma once

#include "TrayHost.h"

#include <QPointer>

class QDBusServiceWatcher;
class QSystemTrayIcon;

// The tray through Qt: an XEmbed system tray, or a StatusNotifierItem host on the session
// bus when one is registered. Qt gives one event per click (the press, or the host's
// activation), which is reported as a whole click.
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

private:
    void setUp();
    void createIcon();
    void trayChanged();

    QSystemTrayIcon* m_icon = nullptr;
    QPointer<QMenu> m_menu;
    QDBusServiceWatcher* m_watcher = nullptr;
    bool m_shown = false;
    bool m_available = false;
};
