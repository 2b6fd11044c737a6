// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sni/DBusMenuExporter.h"

#include <QActionEvent>
#include <QActionGroup>
#include <QDBusError>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>

namespace {
// "&File" -> "_File", "&&" -> "&", "_" -> "__": the menu's mnemonic marks in the bus's form.
QString dbusLabel(const QString& text) {
    QString label;
    label.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('_')) {
            label += QStringLiteral("__");
        } else if (c == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
                label += text.at(++i);
            else
                label += QLatin1Char('_');
        } else {
            label += c;
        }
    }
    return label;
}
} // namespace

DBusMenuExporter::DBusMenuExporter(QObject* parent) : QObject(parent) {}

void DBusMenuExporter::setMenu(QMenu* menu) {
    if (m_menu)
        m_menu->removeEventFilter(this);
    m_menu = menu;
    m_ids.clear();
    if (m_menu)
        m_menu->installEventFilter(this);
    emit LayoutUpdated(++m_revision, 0);
}

QString DBusMenuExporter::TextDirection() const {
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl")
                                                                 : QStringLiteral("ltr");
}

QList<QAction*> DBusMenuExporter::entries() const {
    return m_menu ? m_menu->actions() : QList<QAction*>();
}

QAction* DBusMenuExporter::entry(int id) const {
    QAction* action = m_ids.key(id, nullptr);
    return action && entries().contains(action) ? action : nullptr;
}

int DBusMenuExporter::idOf(QAction* action) {
    auto it = m_ids.constFind(action);
    if (it != m_ids.constEnd())
        return it.value();
    const int id = m_nextId++;
    m_ids.insert(action, id);
    return id;
}

QVariantMap DBusMenuExporter::properties(int id, const QStringList& names) const {
    QVariantMap props;
    if (id == 0) {
        props.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    } else if (const QAction* action = entry(id)) {
        if (action->isSeparator()) {
            props.insert(QStringLiteral("type"), QStringLiteral("separator"));
        } else {
            props.insert(QStringLiteral("label"), dbusLabel(action->text()));
            props.insert(QStringLiteral("enabled"), action->isEnabled());
        }
        props.insert(QStringLiteral("visible"), action->isVisible());
        if (action->isCheckable()) {
            const bool radio = action->actionGroup() && action->actionGroup()->isExclusive();
            props.insert(QStringLiteral("toggle-type"),
                         radio ? QStringLiteral("radio") : QStringLiteral("checkmark"));
            props.insert(QStringLiteral("toggle-state"), action->isChecked() ? 1 : 0);
        }
    }
    if (!names.isEmpty()) {
        for (auto it = props.begin(); it != props.end();)
            it = names.contains(it.key()) ? std::next(it) : props.erase(it);
    }
    return props;
}

void DBusMenuExporter::unknownId(int id) {
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("no menu entry %1").arg(id));
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                 DBusMenuLayoutItem& layout) {
    if (!known(parentId)) {
        unknownId(parentId);
        return m_revision;
    }
    layout = {parentId, properties(parentId, propertyNames), {}};
    if (parentId == 0 && recursionDepth != 0) {
        for (QAction* action : entries()) {
            const int id = idOf(action);
            layout.children.append({id, properties(id, propertyNames), {}});
        }
    }
    return m_revision;
}

DBusMenuItemPropertiesList DBusMenuExporter::GetGroupProperties(const QList<int>& ids,
                                                                const QStringList& propertyNames) {
    DBusMenuItemPropertiesList list;
    // Each id asked for that exists; none at all means every entry.
    QList<int> wanted = ids;
    if (wanted.isEmpty()) {
        wanted.append(0);
        for (QAction* action : entries())
            wanted.append(idOf(action));
    }
    for (int id : wanted) {
        if (known(id))
            list.append({id, properties(id, propertyNames)});
    }
    return list;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString& name) {
    const QVariantMap props = properties(id, {name});
    if (!known(id) || !props.contains(name)) {
        unknownId(id);
        return QDBusVariant(QString());
    }
    return QDBusVariant(props.value(name));
}

bool DBusMenuExporter::click(int id, const QString& eventId) {
    QAction* action = entry(id);
    if (id != 0 && !action)
        return false;
    if (action && eventId == QLatin1String("clicked") && action->isEnabled() &&
        !action->isSeparator()) {
        // After the reply has gone out: the action may end the program.
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
    }
    return true;
}

void DBusMenuExporter::Event(int id, const QString& eventId, const QDBusVariant& data,
                             uint timestamp) {
    Q_UNUSED(data);
    Q_UNUSED(timestamp);
    if (!click(id, eventId))
        unknownId(id);
}

QList<int> DBusMenuExporter::EventGroup(const QList<DBusMenuEvent>& events) {
    QList<int> idErrors;
    for (const DBusMenuEvent& event : events) {
        if (!click(event.id, event.eventId))
            idErrors.append(event.id);
    }
    return idErrors;
}

bool DBusMenuExporter::AboutToShow(int id) {
    if (!known(id))
        unknownId(id);
    return false; // the layout is always current: LayoutUpdated tells of every change
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    idErrors.clear();
    for (int id : ids) {
        if (!known(id))
            idErrors.append(id);
    }
    return {};
}

bool DBusMenuExporter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_menu) {
        switch (event->type()) {
        case QEvent::ActionRemoved:
            m_ids.remove(static_cast<QActionEvent*>(event)->action());
            emit LayoutUpdated(++m_revision, 0);
            break;
        case QEvent::ActionAdded:
        case QEvent::ActionChanged: emit LayoutUpdated(++m_revision, 0); break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}
