// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"
#include "FakeHotkeyBackend.h"
#include "FakeLogonEntry.h"
#include "FakeShell.h"
#include "FakeTrayHost.h"
#include "FakeWindowActivator.h"
#include "ScriptedMixerDriver.h"
#include "TestFiles.h"
#include "controls/MessageBox.h"
#include "core/CommandLine.h"
#include "platform/xdg/XdgLogonEntry.h"

#include "controls/Skin.h"
#include "controls/TdxButton.h"
#include "controls/WindowShape.h"
#include "mainwindow/HotkeyListView.h"
#include "mainwindow/MainWindowMenus.h"
#include "mainwindow/PropertiesPanel.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct ProgramFixture : ::testing::Test {
    QTemporaryDir dir;
    FakeHotkeyBackend* backend = nullptr;
    FakeShell* shell = nullptr;
    FakeWindowActivator* activator = nullptr;
    FakeTrayHost* tray = nullptr;
    FakeLogonEntry* logon = new FakeLogonEntry;
    std::unique_ptr<Program> program = make(std::unique_ptr<LogonEntry>(logon));

    std::unique_ptr<Program> make(std::unique_ptr<LogonEntry> logonEntry) {
        backend = new FakeHotkeyBackend;
        shell = new FakeShell;
        activator = new FakeWindowActivator;
        tray = new FakeTrayHost;
        // No sound device at all: the program must come up without touching the sound system.
        return std::make_unique<Program>(
            std::unique_ptr<HotkeyBackend>(backend), std::unique_ptr<Shell>(shell),
            std::make_unique<ScriptedMixerDriver>(), std::unique_ptr<WindowActivator>(activator),
            std::unique_ptr<TrayHost>(tray), std::move(logonEntry));
    }
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
        QSignalSpy started(&program->Life, &Lifecycle::started);
        const QString cmd = CommandLine::Rebuild(QCoreApplication::applicationFilePath(), args);
        ASSERT_EQ(program->Life.FormCreate(cmd, {dir.path(), {}}, dir.path()),
                  Lifecycle::CreateOutcome::Created);
        ASSERT_TRUE(started.wait(5000));
    }
};

} // namespace

TEST_F(ProgramFixture, HotkeysReachTheShellTheMainWindowAndTheVolume) {
    start();
    ASSERT_TRUE(program->Form1.isVisible());
    backend->press(3);
    EXPECT_EQ(shell->opened, QStringList({"calc.exe"}));
    backend->press(12); // "Show/Hide Application"
    EXPECT_FALSE(program->Form1.isVisible());
    backend->press(17); // "VolumeUp", with no sound device
    EXPECT_TRUE(program->FormVolume.isVisible());
    EXPECT_EQ(program->FormVolume.ButtonBar()->Caption(), "No sound device");
}

TEST_F(ProgramFixture, StoredSettingsApplyAtStartAndAreSavedAtExit) {
    ASSERT_TRUE(
        writeAll(dir.filePath("Settings.ini"), "[VolumeWindow]\nStep=8\nShow=0\n[Mine]\nkept=1\n"));
    EXPECT_DOUBLE_EQ(program->Volume.step(), 655.35); // before the settings are applied
    start({"hide"});
    EXPECT_DOUBLE_EQ(program->Volume.step(), 13107);
    backend->press(16); // "VolumeMute": the volume window is switched off
    EXPECT_FALSE(program->FormVolume.isVisible());

    program->Life.Exit1Click();
    const QByteArray saved = readAll(dir.filePath("Settings.ini"));
    EXPECT_TRUE(saved.contains("Step=8\n"));
    EXPECT_TRUE(saved.contains("Show=0\n"));
    EXPECT_TRUE(saved.contains("[Mine]\nkept=1\n"));
    EXPECT_TRUE(saved.contains("[General]\nLogo=1\nAutorun=1\nColor=0\nQuality=1\n"));
    EXPECT_TRUE(QFile::exists(dir.filePath("Hotkeys.ini")));
}

TEST_F(ProgramFixture, AStartInTheTrayBuildsNoWindowAndOpensNoMixer) {
    start({"hide"});
    EXPECT_FALSE(program->Form1.isVisible());
    EXPECT_FALSE(program->Form1.built());
    EXPECT_FALSE(program->Volume.mixerOpened());
    EXPECT_TRUE(program->FormVolume.findChildren<QWidget*>().isEmpty());
    EXPECT_TRUE(program->FormOptions.findChildren<QWidget*>().isEmpty());
    backend->press(12); // "Show/Hide Application": the window comes with the press's time
    EXPECT_TRUE(program->Form1.isVisible());
    ASSERT_FALSE(activator->times.empty());
    EXPECT_EQ(activator->times.back(), backend->lastPressTime());
    backend->press(15); // "VolumeDown"
    EXPECT_TRUE(program->Volume.mixerOpened());
}

TEST_F(ProgramFixture, HideClosesTheOtherWindowsAndWritesTheTable) {
    start();
    program->FormAbout.ShowAbout();
    backend->press(17); // the volume window
    ASSERT_TRUE(program->FormAbout.isVisible());
    ASSERT_TRUE(program->FormVolume.isVisible());
    ASSERT_FALSE(QFile::exists(dir.filePath("Hotkeys.ini")));
    program->Form1.Hide1Click();
    EXPECT_FALSE(program->Form1.isVisible());
    EXPECT_FALSE(program->FormAbout.isVisible());
    EXPECT_FALSE(program->FormVolume.isVisible());
    EXPECT_TRUE(readAll(dir.filePath("Hotkeys.ini")).contains("Count=20"));
}

TEST_F(ProgramFixture, AStartInTheTrayShowsTheIconAndAClickBringsTheWindow) {
    EXPECT_FALSE(tray->shown);
    start({"hide"});
    EXPECT_TRUE(tray->shown);
    EXPECT_EQ(tray->tip, "Orvane");
    EXPECT_FALSE(program->Form1.isVisible());
    // Animation on by default, still at frame 0 until the first tick.
    EXPECT_TRUE(program->CoolTrayIcon1.AnimationTimer()->isActive());
    EXPECT_EQ(program->CoolTrayIcon1.IconIndex(), 0);
    tray->click();
    EXPECT_TRUE(program->Form1.isVisible());
    EXPECT_EQ(activator->times.back(), 0u);
}

TEST_F(ProgramFixture, TheTrayMenuShowsAndExits) {
    start({"hide"});
    ASSERT_EQ(tray->menu, &program->PopupMenuTray);
    const QList<QAction*> items = tray->menu->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "Show");
    EXPECT_EQ(tray->menu->defaultAction(), items[0]);
    EXPECT_EQ(items[1]->text(), "Exit");
    items[0]->trigger();
    EXPECT_TRUE(program->Form1.isVisible());
    items[1]->trigger();
    EXPECT_TRUE(program->Life.exitFlag());
    EXPECT_TRUE(QFile::exists(dir.filePath("Hotkeys.ini")));
    EXPECT_TRUE(QFile::exists(dir.filePath("Settings.ini")));
}

TEST_F(ProgramFixture, TheTrayOptionsFollowTheSettings) {
    ASSERT_TRUE(writeAll(dir.filePath("Settings.ini"),
                         "[Tray]\nVisible=0\nAnimate=0\n[MainWindow]\nMinimizeToTray=1\n"));
    start();
    EXPECT_FALSE(tray->shown);
    EXPECT_EQ(tray->adds, 0) << "no icon flashes up before the settings";
    EXPECT_FALSE(program->CoolTrayIcon1.AnimationTimer()->isActive());
    EXPECT_EQ(program->CoolTrayIcon1.IconIndex(), 4);
    EXPECT_TRUE(program->CoolTrayIcon1.MinimizeToTray());
    program->Settings.setValue(Setting::TrayVisible, 1);
    program->Settings.setValue(Setting::TrayAnimate, 1);
    EXPECT_TRUE(tray->shown);
    EXPECT_TRUE(program->CoolTrayIcon1.AnimationTimer()->isActive());
    EXPECT_EQ(program->CoolTrayIcon1.IconIndex(), 0);
}

TEST_F(ProgramFixture, OptionsShowsTheDialogWhoseChangesActAtOnceAndWhoseOkSaves) {
    start();
    ASSERT_FALSE(program->FormOptions.isVisible());
    program->Form1.Menus->Options1->trigger();
    EXPECT_TRUE(program->FormOptions.isVisible());
    program->Form1.Menus->Options2->trigger(); // the context menu's: the same dialog
    int dialogs = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        dialogs += qobject_cast<TFormOptions*>(w) != nullptr;
    EXPECT_EQ(dialogs, 1);

    // The volume window's look previews it; a scheme recolours the dialog itself.
    const OptionsPages& pages = program->FormOptions.Pages();
    pages.PageControl1->setCurrentIndex(1);
    ASSERT_FALSE(program->FormVolume.isVisible());
    QTest::mouseClick(pages.CheckBoxVolumeTransparent, Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_TRUE(program->FormVolume.isVisible());
    pages.ComboBoxColorScheme->setCurrentIndex(2); // "Red"
    EXPECT_EQ(program->FormOptions.ButtonOK()->Colors().BackgroundFrom(), QColor(50, 0, 0));
    pages.ComboBoxQuality->setCurrentIndex(2);
    EXPECT_EQ(program->FormOptions.ButtonBar()->Quality(), bqHigh);

    ASSERT_FALSE(QFile::exists(dir.filePath("Settings.ini")));
    QTest::mouseClick(program->FormOptions.ButtonOK(), Qt::LeftButton);
    EXPECT_FALSE(program->FormOptions.isVisible());
    const QByteArray saved = readAll(dir.filePath("Settings.ini"));
    EXPECT_TRUE(saved.contains("[VolumeWindow]\nShow=1\nStep=3\nVisibleTime=2\nTransparent=1\n"));
    EXPECT_TRUE(saved.contains("Color=2\nQuality=2\n"));

    // Hide closes the dialog with the main window.
    program->Form1.Menus->Options1->trigger();
    ASSERT_TRUE(program->FormOptions.isVisible());
    program->Form1.Hide1Click();
    EXPECT_FALSE(program->FormOptions.isVisible());
}

TEST_F(ProgramFixture, ASettingsFileThatCannotBeWrittenIsToldOnOkAndTheLookStays) {
    // A folder where the file must go: refused for root too.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Settings.ini")));
    static QStringList messages;
    SetMessageHook([](QWidget*, const QString& text) { messages << text; });
    start();
    program->Form1.Menus->Options1->trigger();
    program->FormOptions.Pages().ComboBoxColorScheme->setCurrentIndex(2); // "Red"
    ASSERT_EQ(program->Form1.Frame.ButtonBar->Colors().BackgroundFrom(), QColor(50, 0, 0));

    QTest::mouseClick(program->FormOptions.ButtonOK(), Qt::LeftButton);
    EXPECT_FALSE(program->FormOptions.isVisible());
    EXPECT_EQ(program->Form1.Frame.ButtonBar->Colors().BackgroundFrom(), QColor(50, 0, 0));
    EXPECT_EQ(program->Settings.value(Setting::Color), 2);
    EXPECT_EQ(messages, QStringList{"Error: " + dir.filePath("Settings.ini") +
                                    " cannot be written (a folder has its name)."});
    EXPECT_TRUE(QFileInfo(dir.filePath("Settings.ini")).isDir());
}

namespace {

// A window's title bar and background, and all its gradient buttons.
struct WindowLookOf {
    const char* name;
    TdxButton* bar;
    QWidget* window;
};

} // namespace

TEST_F(ProgramFixture, TheColourAndQualitySettingsReachEveryWindowAtOnce) {
    start();
    program->FormAbout.ShowAbout();
    backend->press(17); // the volume window
    ASSERT_TRUE(program->FormVolume.isVisible());
    const WindowLookOf windows[] = {
        {"main", program->Form1.Frame.ButtonBar, &program->Form1},
        {"About", program->FormAbout.ButtonBar(), &program->FormAbout},
        {"volume", program->FormVolume.ButtonBar(), &program->FormVolume},
        {"options", program->FormOptions.ButtonBar(), &program->FormOptions},
        {"splash", program->FormLogo.ButtonBar(), &program->FormLogo},
    };
    // Blue, applied by every start.
    for (const WindowLookOf& w : windows)
        ASSERT_EQ(w.bar->Colors().BackgroundFrom(), Skin::Navy) << w.name;

    const struct {
        int color;
        QColor dark, window, list;
    } rows[] = {
        {2, {50, 0, 0}, {245, 210, 220}, {255, 235, 240}},
        {6, {0, 0, 0}, {128, 128, 128}, {160, 160, 164}},
        {9, Skin::Navy, {220, 240, 255}, {235, 245, 255}}, // no item: the fallback
    };
    for (const auto& row : rows) {
        program->Settings.setValue(Setting::Color, row.color);
        for (const WindowLookOf& w : windows) {
            EXPECT_EQ(w.bar->Colors().BackgroundFrom(), row.dark) << row.color << " " << w.name;
            EXPECT_EQ(w.window->palette().color(QPalette::Window), row.window)
                << row.color << " " << w.name;
        }
        EXPECT_EQ(program->Form1.ListView1->palette().color(QPalette::Base), row.list) << row.color;
        EXPECT_EQ(program->FormVolume.LabelMute()->palette().color(QPalette::WindowText), row.dark);
    }

    program->Settings.setValue(Setting::Quality, 2);
    for (const WindowLookOf& w : windows) {
        const QList<TdxButton*> buttons = w.window->findChildren<TdxButton*>();
        ASSERT_FALSE(buttons.isEmpty()) << w.name;
        for (const TdxButton* b : buttons) {
            const TdxGradientSteps steps = GradientSteps(b->Quality());
            EXPECT_EQ(steps.bands, 64) << w.name << " " << b->objectName().toStdString();
            EXPECT_TRUE(steps.dither) << w.name << " " << b->objectName().toStdString();
        }
    }
}

TEST_F(ProgramFixture, StoredLookReachesWindowsBuiltLater) {
    ASSERT_TRUE(writeAll(dir.filePath("Settings.ini"),
                         "[MainWindow]\nTransparent=1\nAlpha=7\n[General]\nColor=6\nQuality=0\n"));
    start({"hide"});
    ASSERT_FALSE(program->Form1.built());
    EXPECT_DOUBLE_EQ(program->Form1.windowOpacity(), 178 / 255.0);

    backend->press(12); // the main window, built now
    ASSERT_TRUE(program->Form1.isVisible());
    EXPECT_EQ(program->Form1.Frame.ButtonBar->Colors().BackgroundFrom(), QColor(0, 0, 0));
    EXPECT_EQ(program->Form1.GroupBoxProperties->ButtonApply->Quality(), bqLow);
    backend->press(17);
    EXPECT_EQ(program->FormVolume.ButtonBar()->Colors().BackgroundTo(), QColor(192, 192, 192));
    EXPECT_EQ(program->FormVolume.ButtonBar()->Quality(), bqLow);

    // The grey background is keyed out of the window as it appeared.
    const QRegion outline = WindowShapeRegion(QSize(TForm1::ClientWidth, TForm1::FullHeight));
    const QPoint besideMenus(470, 35), list(100, 100);
    ASSERT_TRUE(outline.contains(besideMenus));
    EXPECT_NE(program->Form1.mask(), outline);
    EXPECT_FALSE(program->Form1.mask().contains(besideMenus));
    EXPECT_TRUE(program->Form1.mask().contains(list));

    program->Settings.setValue(Setting::MainTransparent, 0);
    EXPECT_EQ(program->Form1.mask(), outline);
    program->Settings.setValue(Setting::MainAlpha, 10);
    EXPECT_DOUBLE_EQ(program->Form1.windowOpacity(), 1.0);
}

namespace {
// Runs `f` whenever the watched widget is about to be seen.
class OnShow : public QObject {
public:
    explicit OnShow(std::function<void()> f) : m_f(std::move(f)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            m_f();
        return false;
    }

private:
    std::function<void()> m_f;
};
} // namespace

TEST_F(ProgramFixture, TheSplashShowsByLogoAndTheCommandLine) {
    struct Row {
        const char* logo;
        QStringList args;
        bool splash;
        bool mainWindow;
    };
    const Row rows[] = {{"1", {}, true, true},
                        {"1", {""}, false, true}, // the quoted path and one blank
                        {"1", {"hide"}, true, false},
                        {"0", {}, false, true},
                        {"0", {"hide"}, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.logo + (" " + row.args.join(',').toStdString()));
        rebuild(std::make_unique<FakeLogonEntry>());
        ASSERT_TRUE(writeAll(dir.filePath("Settings.ini"),
                             QByteArray("[General]\nLogo=") + row.logo + '\n'));
        start(row.args);
        ASSERT_TRUE(program->TimerLogo->isActive()) << "still within the splash time";
        EXPECT_EQ(program->FormLogo.isVisible(), row.splash);
        EXPECT_EQ(program->Form1.isVisible(), row.mainWindow);
    }
}

TEST_F(ProgramFixture, TheSplashTimeEndsTheSplashForGood) {
    EXPECT_TRUE(program->TimerLogo->isActive()) << "running from the main window's creation";
    EXPECT_EQ(program->TimerLogo->interval(), 2000);
    EXPECT_TRUE(program->TimerLogo->isSingleShot());
    start({"hide"});
    ASSERT_TRUE(program->FormLogo.isVisible());
    QMetaObject::invokeMethod(program->TimerLogo, "timeout");
    EXPECT_FALSE(program->FormLogo.isVisible());
    EXPECT_FALSE(program->TimerLogo->isActive());
    program->Form1.ShowSplash();
    EXPECT_FALSE(program->FormLogo.isVisible());
}

TEST_F(ProgramFixture, AStoredSchemeColoursTheSplashFromItsFirstAppearance) {
    ASSERT_TRUE(writeAll(dir.filePath("Settings.ini"), "[General]\nColor=2\nQuality=2\n"));
    const SkinPalette red = Skin::SchemePalette(QStringLiteral("Red"));
    ASSERT_NE(red.accent, Skin::SchemePalette(0).accent);
    QList<QColor> seen;
    OnShow watch([&] {
        seen = {program->FormLogo.Label1()->palette().color(QPalette::WindowText),
                program->FormLogo.ButtonBar()->Colors().BackgroundFrom(),
                program->FormLogo.palette().color(QPalette::Window)};
    });
    program->FormLogo.installEventFilter(&watch);
    start({"hide"});
    EXPECT_EQ(seen, QList<QColor>({red.accent, red.dark, red.windowBackground}));
    EXPECT_EQ(program->FormLogo.ButtonBar()->Quality(), bqHigh);
}

TEST_F(ProgramFixture, TheLogOnEntryFollowsTheAutorunSetting) {
    ASSERT_TRUE(writeAll(dir.filePath("Settings.ini"), "[General]\nAutorun=0\n"));
    start({"hide"});
    EXPECT_EQ(logon->calls, QStringList({"remove", "remove"})) << "on the change, then always";
    program->Settings.setValue(Setting::Autorun, 1);
    EXPECT_EQ(logon->entry, QCoreApplication::applicationFilePath());
    program->Settings.setValue(Setting::Autorun, 0);
    EXPECT_FALSE(logon->entry);
}

TEST_F(ProgramFixture, AMissingSettingsFileWritesTheLogOnEntryAtStart) {
    auto* entry = new XdgLogonEntry(dir.filePath("autostart"));
    rebuild(std::unique_ptr<LogonEntry>(entry));
    ASSERT_FALSE(QFile::exists(dir.filePath("Settings.ini")));
    start({"hide"});
    EXPECT_EQ(readAll(entry->filePath()),
              XdgLogonEntry::EntryText(QCoreApplication::applicationFilePath()));
}

// The user turned Orvane's log-on start off in the desktop's settings: it stays so.
TEST_F(ProgramFixture, TheDesktopsOffShowsAutorunUntickedAndKeepsTheEntry) {
    auto* entry = new XdgLogonEntry(dir.filePath("autostart"));
    rebuild(std::unique_ptr<LogonEntry>(entry));
    const QByteArray desktops = XdgLogonEntry::EntryText("/old/orvane") + "Hidden=true\n";
    ASSERT_TRUE(QDir(dir.path()).mkdir("autostart") && writeAll(entry->filePath(), desktops));
    start({"hide"});
    program->Form1.Menus->Options1->trigger();
    EXPECT_FALSE(program->FormOptions.Pages().CheckBoxAutorun->isChecked());
    program->Life.Exit1Click();
    EXPECT_TRUE(readAll(dir.filePath("Settings.ini")).contains("\nAutorun=0\n"));
    EXPECT_EQ(readAll(entry->filePath()), desktops);
}

TEST_F(ProgramFixture, AnExecutableNoEntryCanStartIsToldOnceTheHotkeysWork) {
    static QStringList told;
    SetMessageHook([](QWidget*, const QString& text) { told << text; });
    logon->outcome = LogonWrite::Impossible;
    start({"hide"});
    EXPECT_TRUE(told.isEmpty()) << "not within the start-up";
    EXPECT_TRUE(QTest::qWaitFor([] { return !told.isEmpty(); }));
    EXPECT_EQ(told, QStringList("Orvane cannot start when you log on: why"));
    EXPECT_FALSE(program->Settings.isOn(Setting::Autorun));
}

TEST_F(ProgramFixture, AnAutostartFolderThatCannotBeMadeUnchecksAutorunAndSavesIt) {
    // A regular file where the folder must go: refused for root too.
    ASSERT_TRUE(writeAll(dir.filePath("config"), "not a folder"));
    rebuild(std::make_unique<XdgLogonEntry>(dir.filePath("config/autostart")));
    start({"hide"});
    EXPECT_FALSE(program->Settings.isOn(Setting::Autorun));
    program->Life.Exit1Click();
    EXPECT_TRUE(readAll(dir.filePath("Settings.ini")).contains("\nAutorun=0\n"));
}
