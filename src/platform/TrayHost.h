// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <memory>

class QMenu;

// The desktop's notification area as Orvane uses it: one icon with a tool tip and a menu,
// and what the user does with it. The platform's host turns its own events into these.
class TrayHost : public QObject {
    Q_OBJECT
public:
    enum class Button { Left, Right, Middle };

    // True while the desktop has a tray that can take the icon.
    virtual bool available() const = 0;
    // Puts the icon in the tray; false when there is no tray to take it.
    virtual bool add(const QIcon& icon, const QString& tip) = 0;
    // Changes the icon in place; false when it is not in the tray.
    virtual bool modify(const QIcon& icon, const QString& tip) = 0;
    virtual bool remove() = 0;
    // The menu the tray opens with the right button (the host opens it: some hosts draw it
    // themselves).
    virtual void setMenu(QMenu* menu) = 0;
    // A short message in a balloon at the icon; false where the tray shows none (no icon in
    // it, or a host without balloons). A click on it is messageClicked.
    virtual bool showMessage(const QString& /*title*/, const QString& /*text*/) { return false; }

signals:
    void pressed(TrayHost::Button button);
    void released(TrayHost::Button button);
    void doubleClicked();
    // A tray appeared or went away.
    void availableChanged(bool available);
    void messageClicked();
};

// The platform's tray.
std::unique_ptr<TrayHost> CreateTrayHost();
