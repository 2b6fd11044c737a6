#include "TFormVolume.h"
#include "SettingsStore.h"

#include <QCheckBox>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

TEST(TFormVolume, PercentagesHaveThreeSignificantDigitsInTheUsersFormat) {
    const QLocale saved;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(TFormVolume::PercentText(100), QStringLiteral("100"));
    EXPECT_EQ(TFormVolume::PercentText(50.00076L), QStringLiteral("50"));
    EXPECT_EQ(TFormVolume::PercentText(0.99946L), QStringLiteral("0.999"));
    EXPECT_EQ(TFormVolume::PercentText(1 / 65535.0L * 100), QStringLiteral("0.00153"));
    EXPECT_EQ(TFormVolume::PercentText(0), QStringLiteral("0"));
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(TFormVolume::PercentText(0.99946L), QStringLiteral("0,999"));
    QLocale::setDefault(saved);
}

TEST(TFormVolume, ShowsBothChannelsInTheBarsAndTheTitle) {
    QLocale::setDefault(QLocale::c());
    SettingsStore settings;
    TFormVolume w(settings);
    EXPECT_EQ(w.ButtonBar()->text(), QStringLiteral("Volume"));
    EXPECT_FALSE(w.isVisible());

    w.ShowVolumeLevel(65535, 0, 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.ButtonBar()->text(), QStringLiteral("100  Volume  0"));
    EXPECT_EQ(w.ProgressBar1()->value(), 100);
    EXPECT_EQ(w.ProgressBar2()->value(), 0);

    w.ShowVolumeLevel(-1, 32768, 0);
    EXPECT_EQ(w.ButtonBar()->text(), QStringLiteral("0  Volume  50"));
    EXPECT_EQ(w.ProgressBar1()->value(), 0);
    EXPECT_EQ(w.ProgressBar2()->value(), 50); // 50.00076 truncated
}

TEST(TFormVolume, MuteTicksTheBoxAndEnablesTheBars) {
    SettingsStore settings;
    TFormVolume w(settings);
    w.ShowVolumeLevel(1000, 1000, 1);
    EXPECT_TRUE(w.CheckBox1()->isChecked());
    EXPECT_TRUE(w.ProgressBar1()->isEnabled());
    EXPECT_TRUE(w.ProgressBar2()->isEnabled());
    w.ShowVolumeLevel(1000, 1000, 0);
    EXPECT_FALSE(w.CheckBox1()->isChecked());
    EXPECT_FALSE(w.ProgressBar1()->isEnabled());
    EXPECT_FALSE(w.ProgressBar2()->isEnabled());
    w.ShowVolumeLevel(1000, 1000, -1); // no mute control: shown as set
    EXPECT_TRUE(w.CheckBox1()->isChecked());
}

TEST(TFormVolume, EveryUpdateRestartsTheHideTimerWhichHidesTheWindow) {
    SettingsStore settings;
    TFormVolume w(settings);
    EXPECT_EQ(w.Timer1->interval(), 1000);
    EXPECT_FALSE(w.Timer1->isActive());
    w.Timer1->setInterval(50);
    w.ShowVolumeLevel(1000, 1000, 0);
    EXPECT_TRUE(w.Timer1->isActive());
    QSignalSpy fired(w.Timer1, &QTimer::timeout);
    ASSERT_TRUE(fired.wait(5000));
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Timer1->isActive());

    // Shown again, by the next update only.
    w.ShowVolumeLevel(2000, 2000, 0);
    EXPECT_TRUE(w.isVisible());
}

TEST(TFormVolume, WithTheWindowSwitchedOffNothingChanges) {
    SettingsStore settings;
    TFormVolume w(settings);
    settings.setValue(Setting::VolumeShow, 0);
    w.ShowVolumeLevel(65535, 65535, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.ButtonBar()->text(), QStringLiteral("Volume"));
    EXPECT_EQ(w.ProgressBar1()->value(), 0);
    EXPECT_FALSE(w.CheckBox1()->isChecked());
    EXPECT_FALSE(w.Timer1->isActive());
    settings.setValue(Setting::VolumeShow, 1);
    w.ShowVolumeLevel(65535, 65535, 1);
    EXPECT_TRUE(w.isVisible());
}

TEST(TFormVolume, WithoutASoundDeviceTheWindowSaysSoAndShowsNoLevel) {
    QLocale::setDefault(QLocale::c());
    SettingsStore settings;
    TFormVolume w(settings);
    w.ShowVolumeLevel(65535, 65535, 1); // a level and mute shown before the device went
    ASSERT_TRUE(w.CheckBox1()->isChecked());
    ASSERT_EQ(w.ProgressBar1()->value(), 100);
    w.Timer1->stop();
    w.hide();

    w.ShowNoDevice();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.ButtonBar()->text(), QStringLiteral("No sound device"));
    EXPECT_EQ(w.ProgressBar1()->value(), 0);
    EXPECT_EQ(w.ProgressBar2()->value(), 0);
    EXPECT_FALSE(w.CheckBox1()->isChecked());
    EXPECT_FALSE(w.ProgressBar1()->isEnabled());
    EXPECT_FALSE(w.ProgressBar2()->isEnabled());

    // The next level replaces the notice.
    w.ShowVolumeLevel(32768, 32768, 0);
    EXPECT_EQ(w.ButtonBar()->text(), QStringLiteral("50  Volume  50"));
}

TEST(TFormVolume, WithTheWindowSwitchedOffNoDeviceIsNotShownEither) {
    SettingsStore settings;
    TFormVolume w(settings);
    settings.setValue(Setting::VolumeShow, 0);
    w.ShowNoDevice();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.ButtonBar()->text(), QStringLiteral("Volume"));
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST(TFormVolume, StaysUpForTheVisibleTimeTheSettingsGive) {
    SettingsStore settings;
    TFormVolume w(settings);
    EXPECT_EQ(w.Timer1->interval(), 1000); // before the settings are applied
    settings.LoadDefaults();
    EXPECT_EQ(w.Timer1->interval(), 2000);
    settings.setValue(Setting::VisibleTime, 0);
    EXPECT_EQ(w.Timer1->interval(), 500);
    settings.setValue(Setting::VisibleTime, 9); // no selection: the last time stays
    EXPECT_EQ(w.Timer1->interval(), 500);
}
