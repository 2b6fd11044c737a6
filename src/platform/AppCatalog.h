// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <memory>

// An application the desktop shows in its menus, as a target names it.
struct InstalledApplication {
    QString id;   // the desktop entry's id, "org.gnome.Calculator.desktop"
    QString name; // in the user's language
    QString icon; // an icon theme's name or an absolute file path; empty for none
};

// The installed applications the desktop shows. Reading them takes a while: asked for only
// when someone is about to choose one.
class AppCatalog {
public:
    virtual ~AppCatalog() = default;
    // By name; may be called from any thread.
    virtual QList<InstalledApplication> Applications() = 0;
};

std::unique_ptr<AppCatalog> CreateAppCatalog();
