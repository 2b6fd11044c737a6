// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFixture.h"
#include "TestFiles.h"
#include "controls/MessageBox.h"
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

TEST_F(ProgramFixture, HotkeysReachTheShellTheMainWindowAndTheVolume) {
    start();
    ASSERT_TRUE(parts().Form1.isVisible());
    backend->press(3);
    EXPECT_EQ(shell->opened, QStringList({"calc.exe"}));
    backend->press(12); // "Show/Hide Application"
    EXPECT_FALSE(parts().Form1.isVisible());
    backend->press(17); // "VolumeUp", with no sound device
    EXPECT_TRUE(parts().FormVolume.isVisible());
    EXPECT_EQ(parts().FormVolume.ButtonBar()->Caption(), "No sound device");
}

TEST_F(ProgramFixture, StoredSettingsApplyAtStartAndAreSavedAtExit) {
    ASSERT_TRUE(
        writeAll(dir.filePath("Settings.ini"), "[VolumeWindow]\nStep=8\nShow=0\n[Mine]\nkept=1\n"));
    EXPECT_DOUBLE_EQ(parts().Volume.step(), 655.35); // before the settings are applied
    start({"hide"});
    EXPECT_DOUBLE_EQ(parts().Volume.step(), 13107);
    backend->press(16); // "VolumeMute": the volume window is switched off
    EXPECT_FALSE(parts().FormVolume.isVisible());

    parts().Life.Exit1Click();
    const QByteArray saved = readAll(dir.filePath("Settings.ini"));
    EXPECT_TRUE(saved.contains("Step=8\n"));
    EXPECT_TRUE(saved.contains("Show=0\n"));
    EXPECT_TRUE(saved.contains("[Mine]\nkept=1\n"));
    EXPECT_TRUE(saved.contains("[General]\nLogo=1\nAutorun=1\nColor=0\nQuality=1\n"));
    EXPECT_TRUE(QFile::exists(dir.filePath("Hotkeys.ini")));
}

TEST_F(ProgramFixture, AStartInTheTrayBuildsNoWindowAndOpensNoMixer) {
    start({"hide"});
    EXPECT_FALSE(parts().Form1.isVisible());
    EXPECT_FALSE(parts().Form1.built());
    EXPECT_FALSE(parts().Volume.mixerOpened());
    EXPECT_TRUE(parts().FormVolume.findChildren<QWidget*>().isEmpty());
    EXPECT_TRUE(parts().FormOptions.findChildren<QWidget*>().isEmpty());
    backend->press(12); // "Show/Hide Application": the window comes with the press's time
    EXPECT_TRUE(parts().Form1.isVisible());
    ASSERT_FALSE(activator->times.empty());
    EXPECT_EQ(activator->times.back(), backend->lastPressTime());
    backend->press(15); // "VolumeDown"
    EXPECT_TRUE(parts().Volume.mixerOpened());
}

TEST_F(ProgramFixture, HideClosesTheOtherWindowsAndWritesTheTable) {
    start();
    parts().FormAbout.ShowAbout();
    backend->press(17); // the volume window
    ASSERT_TRUE(parts().FormAbout.isVisible());
    ASSERT_TRUE(parts().FormVolume.isVisible());
    ASSERT_FALSE(QFile::exists(dir.filePath("Hotkeys.ini")));
    parts().Form1.Hide1Click();
    EXPECT_FALSE(parts().Form1.isVisible());
    EXPECT_FALSE(parts().FormAbout.isVisible());
    EXPECT_FALSE(parts().FormVolume.isVisible());
    EXPECT_TRUE(readAll(dir.filePath("Hotkeys.ini")).contains("Count=20"));
}

TEST_F(ProgramFixture, AStartInTheTrayShowsTheIconAndAClickBringsTheWindow) {
    EXPECT_FALSE(tray->shown);
    start({"hide"});
    EXPECT_TRUE(tray->shown);
    EXPECT_EQ(tray->tip, "Orvane");
    EXPECT_FALSE(parts().Form1.isVisible());
    // Animation on by default, still at frame 0 until the first tick.
    EXPECT_TRUE(parts().CoolTrayIcon1.AnimationTimer()->isActive());
    EXPECT_EQ(parts().CoolTrayIcon1.IconIndex(), 0);
    tray->click();
    EXPECT_TRUE(parts().Form1.isVisible());
    EXPECT_EQ(activator->times.back(), 0u);
}

TEST_F(ProgramFixture, TheTrayMenuShowsAndExits) {
    start({"hide"});
    ASSERT_EQ(tray->menu, &parts().PopupMenuTray);
    const QList<QAction*> items = tray->menu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Show");
    EXPECT_EQ(tray->menu->defaultAction(), items[0]);
    EXPECT_EQ(items[1]->text(), "Pause hotkeys");
    EXPECT_TRUE(items[1]->isCheckable() && !items[1]->isChecked());
    EXPECT_EQ(items[2]->text(), "Exit");
    items[0]->trigger();
    EXPECT_TRUE(parts().Form1.isVisible());
    items[2]->trigger();
    EXPECT_TRUE(parts().Life.exitFlag());
    EXPECT_TRUE(QFile::exists(dir.filePath("Hotkeys.ini")));
    EXPECT_TRUE(QFile::exists(dir.filePath("Settings.ini")));
}

TEST_F(ProgramFixture, PauseFromEitherMenuReleasesTheGrabsAndTheTrayShowsIt) {
    start({"hide"});
    const size_t taken = backend->registered.size();
    ASSERT_GT(taken, 0u);
    QAction* menuItem = parts().Form1.Menus->Pausehotkeys1;
    parts().PopupMenuTray.Pausehotkeys1->trigger();
    EXPECT_TRUE(backend->registered.empty()) << "the default table has no way back";
    EXPECT_TRUE(menuItem->isChecked());
    EXPECT_EQ(tray->tip, "Orvane (paused)");
    EXPECT_EQ(tray->icon.pixmap(16).toImage(), PausedTrayIcon().pixmap(16).toImage());
    // The animation setting waits for the resume.
    parts().Settings.setValue(Setting::TrayAnimate, 0);
    parts().Settings.setValue(Setting::TrayAnimate, 1);
    EXPECT_FALSE(parts().CoolTrayIcon1.AnimationTimer()->isActive());

    menuItem->trigger();
    EXPECT_FALSE(parts().PopupMenuTray.Pausehotkeys1->isChecked());
    EXPECT_EQ(backend->registered.size(), taken);
    EXPECT_EQ(tray->tip, "Orvane");
    EXPECT_TRUE(parts().CoolTrayIcon1.AnimationTimer()->isActive());
}

TEST_F(ProgramFixture, TheTrayOptionsFollowTheSettings) {
    ASSERT_TRUE(writeAll(dir.filePath("Settings.ini"),
                         "[Tray]\nVisible=0\nAnimate=0\n[MainWindow]\nMinimizeToTray=1\n"));
    start();
    EXPECT_FALSE(tray->shown);
    EXPECT_EQ(tray->adds, 0) << "no icon flashes up before the settings";
    EXPECT_FALSE(parts().CoolTrayIcon1.AnimationTimer()->isActive());
    EXPECT_EQ(parts().CoolTrayIcon1.IconIndex(), 4);
    EXPECT_TRUE(parts().CoolTrayIcon1.MinimizeToTray());
    parts().Settings.setValue(Setting::TrayVisible, 1);
    parts().Settings.setValue(Setting::TrayAnimate, 1);
    EXPECT_TRUE(tray->shown);
    EXPECT_TRUE(parts().CoolTrayIcon1.AnimationTimer()->isActive());
    EXPECT_EQ(parts().CoolTrayIcon1.IconIndex(), 0);
}

TEST_F(ProgramFixture, OptionsShowsTheDialogWhoseChangesActAtOnceAndWhoseOkSaves) {
    start();
    ASSERT_FALSE(parts().FormOptions.isVisible());
    parts().Form1.Menus->Options1->trigger();
    EXPECT_TRUE(parts().FormOptions.isVisible());
    parts().Form1.Menus->Options2->trigger(); // the context menu's: the same dialog
    int dialogs = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        dialogs += qobject_cast<TFormOptions*>(w) != nullptr;
    EXPECT_EQ(dialogs, 1);

    // The volume window's look previews it; a scheme recolours the dialog itself.
    const OptionsPages& pages = parts().FormOptions.Pages();
    pages.PageControl1->setCurrentIndex(1);
    ASSERT_FALSE(parts().FormVolume.isVisible());
    QTest::mouseClick(pages.CheckBoxVolumeTransparent, Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_TRUE(parts().FormVolume.isVisible());
    pages.ComboBoxColorScheme->setCurrentIndex(2); // "Red"
    EXPECT_EQ(parts().FormOptions.ButtonOK()->Colors().BackgroundFrom(), QColor(50, 0, 0));
    pages.ComboBoxQuality->setCurrentIndex(2);
    EXPECT_EQ(parts().FormOptions.ButtonBar()->Quality(), bqHigh);

    ASSERT_FALSE(QFile::exists(dir.filePath("Settings.ini")));
    QTest::mouseClick(parts().FormOptions.ButtonOK(), Qt::LeftButton);
    EXPECT_FALSE(parts().FormOptions.isVisible());
    const QByteArray saved = readAll(dir.filePath("Settings.ini"));
    EXPECT_TRUE(saved.contains("[VolumeWindow]\nShow=1\nStep=3\nVisibleTime=2\nTransparent=1\n"));
    EXPECT_TRUE(saved.contains("Color=2\nQuality=2\n"));

    // Hide closes the dialog with the main window.
    parts().Form1.Menus->Options1->trigger();
    ASSERT_TRUE(parts().FormOptions.isVisible());
    parts().Form1.Hide1Click();
    EXPECT_FALSE(parts().FormOptions.isVisible());
}

TEST_F(ProgramFixture, ASettingsFileThatCannotBeWrittenIsToldOnOkAndTheLookStays) {
    // A folder where the file must go: refused for root too.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Settings.ini")));
    static QStringList messages;
    SetMessageHook([](QWidget*, const QString& text) { messages << text; });
    start();
    parts().Form1.Menus->Options1->trigger();
    parts().FormOptions.Pages().ComboBoxColorScheme->setCurrentIndex(2); // "Red"
    ASSERT_EQ(parts().Form1.Frame.ButtonBar->Colors().BackgroundFrom(), QColor(50, 0, 0));

    QTest::mouseClick(parts().FormOptions.ButtonOK(), Qt::LeftButton);
    EXPECT_FALSE(parts().FormOptions.isVisible());
    EXPECT_EQ(parts().Form1.Frame.ButtonBar->Colors().BackgroundFrom(), QColor(50, 0, 0));
    EXPECT_EQ(parts().Settings.value(Setting::Color), 2);
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
    parts().FormAbout.ShowAbout();
    backend->press(17); // the volume window
    ASSERT_TRUE(parts().FormVolume.isVisible());
    const WindowLookOf windows[] = {
        {"main", parts().Form1.Frame.ButtonBar, &parts().Form1},
        {"About", parts().FormAbout.ButtonBar(), &parts().FormAbout},
        {"volume", parts().FormVolume.ButtonBar(), &parts().FormVolume},
        {"options", parts().FormOptions.ButtonBar(), &parts().FormOptions},
        {"splash", parts().FormLogo.ButtonBar(), &parts().FormLogo},
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
        parts().Settings.setValue(Setting::Color, row.color);
        for (const WindowLookOf& w : windows) {
            EXPECT_EQ(w.bar->Colors().BackgroundFrom(), row.dark) << row.color << " " << w.name;
            EXPECT_EQ(w.window->palette().color(QPalette::Window), row.window)
                << row.color << " " << w.name;
        }
        EXPECT_EQ(parts().Form1.ListView1->palette().color(QPalette::Base), row.list) << row.color;
        EXPECT_EQ(parts().FormVolume.LabelMute()->palette().color(QPalette::WindowText), row.dark);
    }

    parts().Settings.setValue(Setting::Quality, 2);
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
    ASSERT_FALSE(parts().Form1.built());
    EXPECT_DOUBLE_EQ(parts().Form1.windowOpacity(), 178 / 255.0);

    backend->press(12); // the main window, built now
    ASSERT_TRUE(parts().Form1.isVisible());
    EXPECT_EQ(parts().Form1.Frame.ButtonBar->Colors().BackgroundFrom(), QColor(0, 0, 0));
    EXPECT_EQ(parts().Form1.GroupBoxProperties->ButtonApply->Quality(), bqLow);
    backend->press(17);
    EXPECT_EQ(parts().FormVolume.ButtonBar()->Colors().BackgroundTo(), QColor(192, 192, 192));
    EXPECT_EQ(parts().FormVolume.ButtonBar()->Quality(), bqLow);

    // The grey background is keyed out of the window as it appeared.
    const QRegion outline = WindowShapeRegion(QSize(TForm1::ClientWidth, TForm1::FullHeight));
    const QPoint besideMenus(470, 35), list(100, 100);
    ASSERT_TRUE(outline.contains(besideMenus));
    EXPECT_NE(parts().Form1.mask(), outline);
    EXPECT_FALSE(parts().Form1.mask().contains(besideMenus));
    EXPECT_TRUE(parts().Form1.mask().contains(list));

    parts().Settings.setValue(Setting::MainTransparent, 0);
    EXPECT_EQ(parts().Form1.mask(), outline);
    parts().Settings.setValue(Setting::MainAlpha, 10);
    EXPECT_DOUBLE_EQ(parts().Form1.windowOpacity(), 1.0);
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
        ASSERT_TRUE(parts().TimerLogo.isActive()) << "still within the splash time";
        EXPECT_EQ(parts().FormLogo.isVisible(), row.splash);
        EXPECT_EQ(parts().Form1.isVisible(), row.mainWindow);
    }
}

TEST_F(ProgramFixture, TheSplashTimeEndsTheSplashForGood) {
    EXPECT_TRUE(parts().TimerLogo.isActive()) << "running from the main window's creation";
    EXPECT_EQ(parts().TimerLogo.interval(), 2000);
    EXPECT_TRUE(parts().TimerLogo.isSingleShot());
    start({"hide"});
    ASSERT_TRUE(parts().FormLogo.isVisible());
    QMetaObject::invokeMethod(&parts().TimerLogo, "timeout");
    EXPECT_FALSE(parts().FormLogo.isVisible());
    EXPECT_FALSE(parts().TimerLogo.isActive());
    parts().FormLogo.ShowLogo(); // what the start-up asks for
    EXPECT_FALSE(parts().FormLogo.isVisible());
}

TEST_F(ProgramFixture, AStoredSchemeColoursTheSplashFromItsFirstAppearance) {
    ASSERT_TRUE(writeAll(dir.filePath("Settings.ini"), "[General]\nColor=2\nQuality=2\n"));
    const SkinPalette red = Skin::SchemePalette(QStringLiteral("Red"));
    ASSERT_NE(red.accent, Skin::SchemePalette(0).accent);
    QList<QColor> seen;
    OnShow watch([&] {
        seen = {parts().FormLogo.Label1()->palette().color(QPalette::WindowText),
                parts().FormLogo.ButtonBar()->Colors().BackgroundFrom(),
                parts().FormLogo.palette().color(QPalette::Window)};
    });
    parts().FormLogo.installEventFilter(&watch);
    start({"hide"});
    EXPECT_EQ(seen, QList<QColor>({red.accent, red.dark, red.windowBackground}));
    EXPECT_EQ(parts().FormLogo.ButtonBar()->Quality(), bqHigh);
}

TEST_F(ProgramFixture, TheLogOnEntryFollowsTheAutorunSetting) {
    ASSERT_TRUE(writeAll(dir.filePath("Settings.ini"), "[General]\nAutorun=0\n"));
    start({"hide"});
    EXPECT_EQ(logon->calls, QStringList({"remove", "remove"})) << "on the change, then always";
    parts().Settings.setValue(Setting::Autorun, 1);
    EXPECT_EQ(logon->entry, QCoreApplication::applicationFilePath());
    parts().Settings.setValue(Setting::Autorun, 0);
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
    parts().Form1.Menus->Options1->trigger();
    EXPECT_FALSE(parts().FormOptions.Pages().CheckBoxAutorun->isChecked());
    parts().Life.Exit1Click();
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
    EXPECT_FALSE(parts().Settings.isOn(Setting::Autorun));
}

TEST_F(ProgramFixture, AnAutostartFolderThatCannotBeMadeUnchecksAutorunAndSavesIt) {
    // A regular file where the folder must go: refused for root too.
    ASSERT_TRUE(writeAll(dir.filePath("config"), "not a folder"));
    rebuild(std::make_unique<XdgLogonEntry>(dir.filePath("config/autostart")));
    start({"hide"});
    EXPECT_FALSE(parts().Settings.isOn(Setting::Autorun));
    parts().Life.Exit1Click();
    EXPECT_TRUE(readAll(dir.filePath("Settings.ini")).contains("\nAutorun=0\n"));
}
