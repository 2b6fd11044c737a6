// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeHotkeyBackend.h"
#include "FakeLogonEntry.h"
#include "FakeShell.h"
#include "FakeTrayHost.h"
#include "FakeWindowActivator.h"
#include "ScriptedMixerDriver.h"
#include "app/Program.h"
#include "controls/MessageBox.h"
#include "core/CommandLine.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The whole program over test doubles, its files in a folder of its own.
struct ProgramFixture : ::testing::Test {
    QTemporaryDir dir;
    FakeHotkeyBackend* backend = nullptr;
    FakeShell* shell = nullptr;
    FakeWindowActivator* activator = nullptr;
    FakeTrayHost* tray = nullptr;
    SessionEnd* sessionEnd = nullptr; // the one the program made, once it did
    FakeLogonEntry* logon = new FakeLogonEntry;
    std::unique_ptr<Program> program = make(std::unique_ptr<LogonEntry>(logon));

    std::unique_ptr<Program> make(std::unique_ptr<LogonEntry> logonEntry) {
        backend = new FakeHotkeyBackend;
        shell = new FakeShell;
        activator = new FakeWindowActivator;
        tray = new FakeTrayHost;
        sessionEnd = nullptr;
        // No sound device at all: the program must come up without touching the sound system.
        return std::make_unique<Program>(Platform{
            std::unique_ptr<HotkeyBackend>(backend), std::unique_ptr<Shell>(shell),
            std::make_unique<ScriptedMixerDriver>(), std::unique_ptr<WindowActivator>(activator),
            std::unique_ptr<TrayHost>(tray), std::move(logonEntry),
            [this] {
                EXPECT_FALSE(sessionEnd) << "one per program";
                auto made = std::make_unique<SessionEnd>();
                sessionEnd = made.get();
                return made;
            },
            nullptr,   // no notification service: what a notification says goes to the tray
            nullptr}); // no installed applications
    }
    Program::Parts parts() { return program->parts(); }
    // Another run in the same folder (the lock of the one before is given up first).
    void rebuild(std::unique_ptr<LogonEntry> logonEntry) {
        program.reset();
        program = make(std::move(logonEntry));
    }

    void SetUp() override {
        SetMessageHook([](QWidget*, const QString&) {});
    }
    void TearDown() override {
        program.reset();
        SetMessageHook(nullptr);
    }
    void start(const QStringList& args = {}) {
        QSignalSpy started(&parts().Life, &Lifecycle::started);
        const QString cmd = CommandLine::Rebuild(QCoreApplication::applicationFilePath(), args);
        ASSERT_EQ(program->FormCreate(cmd, {dir.path(), {}}, dir.path()),
                  Lifecycle::CreateOutcome::Created);
        ASSERT_TRUE(started.wait(5000));
    }
};
