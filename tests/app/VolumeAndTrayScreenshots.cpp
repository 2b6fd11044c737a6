// Pictures for review, written under the build tree: the volume window unmuted, muted and
// without a sound device, and the tray icon's menu.
#include "Screenshots.h"
#include "SettingsStore.h"
#include "TFormVolume.h"
#include "TdxButton.h"
#include "TrayMenu.h"

#include <QLocale>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

TEST(VolumeWindowScreenshots, UnmutedMutedAndNoDevice) {
    QLocale::setDefault(QLocale::c());
    SettingsStore settings;
    settings.LoadDefaults();
    TFormVolume volume(settings);

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
