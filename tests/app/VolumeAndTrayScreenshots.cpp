// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures for review, written under the build tree: the volume window unmuted, muted and
// without a sound device, in every colour scheme, and the tray icon's menu.
#include "Screenshots.h"
#include "controls/Look.h"
#include "controls/Skin.h"
#include "controls/TdxButton.h"
#include "controls/WindowShape.h"
#include "settings/SettingsStore.h"
#include "tray/TrayMenu.h"
#include "volume/TFormVolume.h"

#include <QLocale>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(VolumeWindowScreenshots, UnmutedMutedAndNoDevice) {
    QLocale::setDefault(QLocale::c());
    SettingsStore settings;
    settings.LoadDefaults();
    Look look;
    TFormVolume volume(settings, look);

    volume.ShowVolumeLevel(45000, 39000, 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&volume));
    ASSERT_EQ(volume.ButtonBar()->Caption(), "68.7  Volume  59.5");
    EXPECT_TRUE(WindowLook(&volume).save(ScreenshotPath("volume-window.png")));

    volume.ShowVolumeLevel(45000, 39000, 0);
    ASSERT_FALSE(volume.ProgressBar1()->isEnabled());
    EXPECT_TRUE(WindowLook(&volume).save(ScreenshotPath("volume-window-muted.png")));

    volume.ShowNoDevice();
    ASSERT_EQ(volume.ButtonBar()->Caption(), "No sound device");
    EXPECT_TRUE(WindowLook(&volume).save(ScreenshotPath("volume-window-no-device.png")));
}

TEST(TrayMenuScreenshot, ShowIsTheBoldDefault) {
    TrayMenu menu;
    menu.popup(QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    ASSERT_EQ(menu.defaultAction(), menu.Show1); // drawn bold by the menu
    EXPECT_TRUE(menu.grab().save(ScreenshotPath("tray-menu.png")));
    menu.hide();
}

// A desktop colour no scheme has, behind the see-through pictures.
const QColor kDesktop(0, 150, 110);

TEST(VolumeWindowScreenshots, EverySchemeAndTheBlackOneSeeThrough) {
    QLocale::setDefault(QLocale::c());
    SettingsStore settings;
    settings.LoadDefaults();
    Look look;
    TFormVolume volume(settings, look);
    volume.ShowVolumeLevel(45000, 39000, 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&volume));
    for (const char* scheme : Skin::SchemeNames) {
        look.SetPalette(Skin::SchemePalette(QString::fromLatin1(scheme)));
        const QString name = QStringLiteral("volume-window-scheme-%1.png").arg(scheme).toLower();
        EXPECT_TRUE(WindowLook(&volume).save(ScreenshotPath(qPrintable(name))));
    }
    // Black is the last scheme: its grey background keyed out shows the desktop, here in a
    // colour no scheme has.
    settings.setValue(Setting::VolumeTransparent, 1);
    ASSERT_NE(volume.mask(), WindowShapeRegion(volume.size()));
    EXPECT_TRUE(WindowLook(&volume, kDesktop)
                    .save(ScreenshotPath("volume-window-scheme-black-transparent.png")));
    volume.Timer1->stop();
}
