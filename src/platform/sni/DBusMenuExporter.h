// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/sni/SniTypes.h"

#include <QDBusContext>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QAction;
class QMenu;

// A menu's entries on the session bus as com.canonical.dbusmenu, for panels that draw the
// menu of a StatusNotifierItem themselves: the labels, states and separators go out, the
// user's click on an entry comes back as the entry's action. One level: an entry's own
// submenu is not offered.
class DBusMenuExporter : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ Version)
    Q_PROPERTY(QString TextDirection READ TextDirection)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(QStringList IconThemePath READ IconThemePath)
public:
    explicit DBusMenuExporter(QObject* parent = nullptr);

    void setMenu(QMenu* menu);

    uint Version() const { return 3; }
    QString TextDirection() const;
    QString Status() const { return QStringLiteral("normal"); }
    QStringList IconThemePath() const { return {}; }

    Q_SCRIPTABLE uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                DBusMenuLayoutItem& layout);
    Q_SCRIPTABLE DBusMenuItemPropertiesList GetGroupProperties(const QList<int>& ids,
                                                               const QStringList& propertyNames);
    Q_SCRIPTABLE QDBusVariant GetProperty(int id, const QString& name);
    Q_SCRIPTABLE void Event(int id, const QString& eventId, const QDBusVariant& data,
                            uint timestamp);
    Q_SCRIPTABLE QList<int> EventGroup(const QList<DBusMenuEvent>& events);
    Q_SCRIPTABLE bool AboutToShow(int id);
    Q_SCRIPTABLE QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    Q_SCRIPTABLE void LayoutUpdated(uint revision, int parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAction*> entries() const;
    QAction* entry(int id) const;
    int idOf(QAction* action);
    bool known(int id) const { return id == 0 || entry(id); }
    QVariantMap properties(int id, const QStringList& names) const;
    bool click(int id, const QString& eventId);
    void unknownId(int id);

    QPointer<QMenu> m_menu;
    QHash<QAction*, int> m_ids;
    int m_nextId = 1;
    uint m_revision = 1;
};
