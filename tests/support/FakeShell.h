// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActionExecutor.h"
#include "platform/Shell.h"

#include <QStringList>

class FakeShell : public Shell {
public:
    int open(const QString& target) override {
        opened << target;
        return result;
    }
    QStringList opened;
    int result = 42;
};

// The main window's toggle and the volume functions, as calls in order.
class RecordingBuiltins : public MainWindowToggle, public VolumeSteps, public PauseToggle {
public:
    void TogglePause() override { calls << QStringLiteral("TogglePause"); }
    void ToggleMainWindow() override { calls << QStringLiteral("ToggleMainWindow"); }
    void VolumeDown() override { calls << QStringLiteral("VolumeDown"); }
    void VolumeUp() override { calls << QStringLiteral("VolumeUp"); }
    void VolumeMute() override { calls << QStringLiteral("VolumeMute"); }
    QStringList calls;
};
