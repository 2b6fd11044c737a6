// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TrayHost.h"

// A desktop without a notification area: the icon has nowhere to go.
class NullTrayHost : public TrayHost {
public:
    bool available() const override { return false; }
    bool add(const QIcon&, const QString&) override { return false; }
    bool modify(const QIcon&, const QString&) override { return false; }
    bool remove() override { return false; }
    void setMenu(QMenu*) override {}
};
