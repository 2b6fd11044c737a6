// Pictures for review, written under the build tree: the volume window unmuted, muted and
// without a sound device, and the tray icon's menu.
#include "SettingsStore.h"
#include "TFormVolume.h"
#include "TdxButton.h"
#include "TrayMenu.h"

#include <QDir>
#include <QLocale>
#include <QPainter>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString shotPath(const char* name) {
    const QString dir = QStringLiteral(ORVANE_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + QLatin1String(name);
}

// The window as the screen shows it: its outline cut, the rest in the desktop's grey.
QImage look(QWidget* window) {
    QImage shot(window->size(), QImage::Format_RGB32);
    shot.fill(QColor(90, 90, 90));
    QPainter p(&shot);
    p.setClipRegion(window->mask().isEmpty() ? QRegion(window->rect()) : window->mask());
    p.drawPixmap(0, 0, window->grab());
    return shot;
}

} // namespace

TEST(VolumeWindowScreenshots, UnmutedMutedAndNoDevice) {
    QLocale::setDefault(QLocale::c());
    SettingsStore settings;
    settings.LoadDefaults();
    TFormVolume volume(settings);

    volume.ShowVolumeLevel(45000, 39000, 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&volume));
    ASSERT_EQ(volume.ButtonBar()->Caption(), "68.7  Volume  59.5");
    EXPECT_TRUE(look(&volume).save(shotPath("volume-window.png")));

    volume.ShowVolumeLevel(45000, 39000, 0);
    ASSERT_FALSE(volume.ProgressBar1()->isEnabled());
    EXPECT_TRUE(look(&volume).save(shotPath("volume-window-muted.png")));

    volume.ShowNoDevice();
    ASSERT_EQ(volume.ButtonBar()->Caption(), "No sound device");
    EXPECT_TRUE(look(&volume).save(shotPath("volume-window-no-device.png")));
}

TEST(TrayMenuScreenshot, ShowIsTheBoldDefault) {
    TrayMenu menu;
    menu.popup(QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    ASSERT_EQ(menu.defaultAction(), menu.Show1); // drawn bold by the menu
    EXPECT_TRUE(menu.grab().save(shotPath("tray-menu.png")));
    menu.hide();
}
