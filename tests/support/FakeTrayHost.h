// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TrayHost.h"

#include <QList>
#include <QStringList>

// A tray that records what reaches it, and lets a test click the icon.
class FakeTrayHost : public TrayHost {
public:
    bool isAvailable = true;
    bool shown = false;
    int adds = 0;
    int removes = 0;
    QList<QIcon> modified; // the icons of every change in place
    QString tip;
    QIcon icon;
    QMenu* menu = nullptr;
    bool balloons = true; // whether the tray shows messages at its icon
    QStringList messages; // title and text of each, on two lines

    bool available() const override { return isAvailable; }
    bool add(const QIcon& i, const QString& t) override {
        ++adds;
        shown = true;
        icon = i;
        tip = t;
        return isAvailable;
    }
    bool modify(const QIcon& i, const QString& t) override {
        if (!shown)
            return false;
        modified.append(i);
        icon = i;
        tip = t;
        return isAvailable;
    }
    bool remove() override {
        const bool was = shown;
        shown = false;
        ++removes;
        return was;
    }
    void setMenu(QMenu* m) override { menu = m; }
    bool showMessage(const QString& title, const QString& text) override {
        if (balloons && shown)
            messages << title + u'\n' + text;
        return balloons && shown;
    }

    void click(Button button = Button::Left) {
        emit pressed(button);
        emit released(button);
    }
    void appear() {
        isAvailable = true;
        emit availableChanged(true);
    }
};
