// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sni/SniTypes.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QIcon>
#include <QObject>
#include <QPoint>

class DBusMenuExporter;
class QMenu;

// The icon as a StatusNotifierItem on the session bus: the desktop's panel draws the
// pictures, the tool tip and the menu, and sends the user's clicks back. The panel finds the
// item through the watcher (org.kde.StatusNotifierWatcher) it is registered with.
class StatusNotifierItem : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ Category)
    Q_PROPERTY(QString Id READ Id)
    Q_PROPERTY(QString Title READ Title)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(int WindowId READ WindowId)
    Q_PROPERTY(QString IconThemePath READ IconThemePath)
    Q_PROPERTY(QDBusObjectPath Menu READ Menu)
    Q_PROPERTY(bool ItemIsMenu READ ItemIsMenu)
    Q_PROPERTY(QString IconName READ IconName)
    Q_PROPERTY(SniPixmapList IconPixmap READ IconPixmap)
    Q_PROPERTY(QString OverlayIconName READ IconName)
    Q_PROPERTY(SniPixmapList OverlayIconPixmap READ NoPixmaps)
    Q_PROPERTY(QString AttentionIconName READ IconName)
    Q_PROPERTY(SniPixmapList AttentionIconPixmap READ NoPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ IconName)
    Q_PROPERTY(SniToolTip ToolTip READ ToolTip)
public:
    explicit StatusNotifierItem(const QDBusConnection& bus, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Puts the item on the bus under a name of its own and registers it with the watcher;
    // false when the bus refuses it.
    bool show();
    // Takes it off the bus: the watcher drops an item whose name leaves.
    void hide();
    bool isShown() const { return m_shown; }
    // Registers the shown item with the watcher now on the bus (a panel that started later).
    void registerWithWatcher();
    void setIcon(const QIcon& icon);
    void setToolTip(const QString& tip);
    void setMenu(QMenu* menu);

    QString Category() const { return QStringLiteral("ApplicationStatus"); }
    QString Id() const;
    QString Title() const;
    QString Status() const { return QStringLiteral("Active"); }
    int WindowId() const { return 0; }
    QString IconThemePath() const { return {}; }
    QDBusObjectPath Menu() const;
    bool ItemIsMenu() const { return false; }
    QString IconName() const { return {}; }
    SniPixmapList IconPixmap() const { return m_pixmaps; }
    SniPixmapList NoPixmaps() const { return {}; }
    SniToolTip ToolTip() const;

    Q_SCRIPTABLE void ContextMenu(int x, int y);
    Q_SCRIPTABLE void Activate(int x, int y);
    Q_SCRIPTABLE void SecondaryActivate(int x, int y);
    Q_SCRIPTABLE void Scroll(int delta, const QString& orientation);

signals:
    Q_SCRIPTABLE void NewTitle();
    Q_SCRIPTABLE void NewIcon();
    Q_SCRIPTABLE void NewAttentionIcon();
    Q_SCRIPTABLE void NewOverlayIcon();
    Q_SCRIPTABLE void NewToolTip();
    Q_SCRIPTABLE void NewStatus(const QString& status);

    // The user's actions, with the screen position the panel gives.
    void activated(QPoint at);
    void secondaryActivated(QPoint at);
    void contextMenuRequested(QPoint at);

private:
    QDBusConnection m_bus;
    DBusMenuExporter* const m_menu;
    const QString m_service;
    qint64 m_iconKey = 0;
    SniPixmapList m_pixmaps;
    QString m_tip;
    bool m_shown = false;
};
