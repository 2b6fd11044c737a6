// SPDX-License-Identifier: GPL-3.0-or-later
#include "volume/TFormVolume.h"
#include "controls/Look.h"
#include "settings/SettingsStore.h"

#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "controls/WindowShape.h"
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>
#include <chrono>
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
    Look look;
    TFormVolume w(settings, look);
    EXPECT_EQ(w.ButtonBar()->Caption(), QStringLiteral("Volume"));
    EXPECT_FALSE(w.isVisible());

    w.ShowVolumeLevel(65535, 0, 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.ButtonBar()->Caption(), QStringLiteral("100  Volume  0"));
    EXPECT_EQ(w.ProgressBar1()->value(), 100);
    EXPECT_EQ(w.ProgressBar2()->value(), 0);

    w.ShowVolumeLevel(-1, 32768, 0);
    EXPECT_EQ(w.ButtonBar()->Caption(), QStringLiteral("0  Volume  50"));
    EXPECT_EQ(w.ProgressBar1()->value(), 0);
    EXPECT_EQ(w.ProgressBar2()->value(), 50); // 50.00076 truncated
}

TEST(TFormVolume, MuteTicksTheBoxAndEnablesTheBars) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    struct Row {
        int mute;
        bool ticked, boxEnabled, barsEnabled;
    };
    // A line without a mute control (-1) cannot be muted: its box is unticked and off.
    for (const Row& row : {Row{1, true, true, true}, Row{0, false, true, false},
                           Row{-1, false, false, true}, Row{1, true, true, true}}) {
        w.ShowVolumeLevel(1000, 1000, row.mute);
        EXPECT_EQ(w.CheckBox1()->isChecked(), row.ticked) << row.mute;
        EXPECT_EQ(w.CheckBox1()->isEnabled(), row.boxEnabled) << row.mute;
        EXPECT_EQ(w.ProgressBar1()->isEnabled(), row.barsEnabled) << row.mute;
        EXPECT_EQ(w.ProgressBar2()->isEnabled(), row.barsEnabled) << row.mute;
    }
}

// A coarse timer may end up to 5 % early, to meet a round time. Shown so that the end of its
// visible time falls just after a whole second, a coarse timer rounds down and hides the window
// early; a precise one never ends before its time, however late the turn of the loop.
TEST(TFormVolume, StaysUpTheWholeVisibleTime) {
    using namespace std::chrono;
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    settings.setValue(Setting::VisibleTime, 0);
    ASSERT_EQ(w.Timer1->interval(), 500);
    w.ShowVolumeLevel(1000, 1000, 0); // the controls and the window made beforehand
    w.hide();
    for (int attempt = 0; attempt < 5; ++attempt) {
        // Shown 515 ms past a whole second of the clock the timers run on.
        const auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
        QTimer align;
        align.setSingleShot(true);
        align.setTimerType(Qt::PreciseTimer);
        QSignalSpy aligned(&align, &QTimer::timeout);
        align.start((1515ms - now % 1s) % 1s);
        ASSERT_TRUE(aligned.wait(5000));
        QSignalSpy hidden(w.Timer1, &QTimer::timeout);
        const auto shown = steady_clock::now();
        w.ShowVolumeLevel(1000, 1000, 0);
        ASSERT_TRUE(hidden.wait(5000));
        EXPECT_GE(steady_clock::now() - shown, 500ms) << "attempt " << attempt;
    }
}

TEST(TFormVolume, EveryUpdateRestartsTheHideTimerWhichHidesTheWindow) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
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

TEST(TFormVolume, ASecondUpdateKeepsTheWindowUpForTheVisibleTimeAfterIt) {
    // The visible time and the gap between the updates at 2000 and 1500 scaled down by ten.
    // Exact deadlines make the order in which the timers fire the order of their times,
    // however late the loop runs.
    const int visible = 200, gap = 150;
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    w.Timer1->setInterval(visible);
    w.Timer1->setTimerType(Qt::PreciseTimer);
    QTimer secondUpdate, firstTimeout;
    for (QTimer* t : {&secondUpdate, &firstTimeout}) {
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
    }
    bool shownAtFirstTimeout = false;
    QObject::connect(&secondUpdate, &QTimer::timeout, [&] { w.ShowVolumeLevel(2000, 2000, 0); });
    QObject::connect(&firstTimeout, &QTimer::timeout, [&] { shownAtFirstTimeout = w.isVisible(); });
    QSignalSpy hidden(w.Timer1, &QTimer::timeout);

    w.ShowVolumeLevel(1000, 1000, 0);
    ASSERT_TRUE(w.isVisible());
    secondUpdate.start(gap);
    firstTimeout.start(visible); // after the hide timer's first deadline
    ASSERT_TRUE(hidden.wait(5000));
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(shownAtFirstTimeout) << "hidden when the first visible time was over";
    EXPECT_EQ(hidden.count(), 1);
    EXPECT_EQ(w.ProgressBar1()->value(), 3) << "the second update was shown";
}

TEST(TFormVolume, WithTheWindowSwitchedOffNothingChanges) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    settings.setValue(Setting::VolumeShow, 0);
    w.ShowVolumeLevel(65535, 65535, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.ButtonBar()->Caption(), QStringLiteral("Volume"));
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
    Look look;
    TFormVolume w(settings, look);
    w.ShowVolumeLevel(65535, 65535, 1); // a level and mute shown before the device went
    ASSERT_TRUE(w.CheckBox1()->isChecked());
    ASSERT_EQ(w.ProgressBar1()->value(), 100);
    w.Timer1->stop();
    w.hide();

    w.ShowNoDevice();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.ButtonBar()->Caption(), QStringLiteral("No sound device"));
    EXPECT_EQ(w.ProgressBar1()->value(), 0);
    EXPECT_EQ(w.ProgressBar2()->value(), 0);
    EXPECT_FALSE(w.CheckBox1()->isChecked());
    EXPECT_FALSE(w.ProgressBar1()->isEnabled());
    EXPECT_FALSE(w.ProgressBar2()->isEnabled());

    // The next level replaces the notice.
    w.ShowVolumeLevel(32768, 32768, 0);
    EXPECT_EQ(w.ButtonBar()->Caption(), QStringLiteral("50  Volume  50"));
}

TEST(TFormVolume, WithTheWindowSwitchedOffNoDeviceIsNotShownEither) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    settings.setValue(Setting::VolumeShow, 0);
    w.ShowNoDevice();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.ButtonBar()->Caption(), QStringLiteral("Volume"));
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST(TFormVolume, StaysUpForTheVisibleTimeTheSettingsGive) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    EXPECT_EQ(w.Timer1->interval(), 1000); // before the settings are applied
    settings.LoadDefaults();
    EXPECT_EQ(w.Timer1->interval(), 2000);
    settings.setValue(Setting::VisibleTime, 0);
    EXPECT_EQ(w.Timer1->interval(), 500);
    settings.setValue(Setting::VisibleTime, 9); // no selection: the last time stays
    EXPECT_EQ(w.Timer1->interval(), 500);
}

TEST(TFormVolume, TitleCaptionsInTheUsersDecimalFormat) {
    const QLocale saved;
    struct Row {
        int left, right;
        QLocale locale;
        const char* caption;
    };
    // 32768 and 655 give 50.00076 and 0.99946 per cent.
    const Row rows[] = {
        {65535, 0, QLocale::c(), "100  Volume  0"},
        {-1, 65535, QLocale::c(), "0  Volume  100"},
        {32768, 655, QLocale::c(), "50  Volume  0.999"},
        {655, 32768, QLocale(QLocale::German), "0,999  Volume  50"},
        {655, -1, QLocale(QLocale::French), "0,999  Volume  0"},
    };
    for (const Row& row : rows) {
        QLocale::setDefault(row.locale);
        SettingsStore settings;
        Look look;
        TFormVolume w(settings, look);
        w.ShowVolumeLevel(row.left, row.right, 0);
        EXPECT_EQ(w.ButtonBar()->Caption(), QString::fromUtf8(row.caption))
            << row.left << " " << row.right;
        EXPECT_EQ(w.ProgressBar1()->value(), row.left == 65535 ? 100 : row.left == 32768 ? 50 : 0);
    }
    QLocale::setDefault(saved);
}

TEST(TFormVolume, NeverTakesTheFocusNorShowsInTheTaskBar) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_EQ(w.windowType(), Qt::Tool);
    EXPECT_TRUE(w.testAttribute(Qt::WA_ShowWithoutActivating));
    w.ShowVolumeLevel(1000, 1000, 0);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    for (QWidget* child : w.findChildren<QWidget*>())
        EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->objectName().toStdString();
}

TEST(TFormVolume, TransparencyFollowsTheSettingsLive) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    // The outline is the rectangle from 50 down united with the rounded one.
    EXPECT_TRUE(w.mask().contains(QPoint(463, 63)));
    EXPECT_FALSE(w.mask().contains(QPoint(0, 0)));

    // Keyed from the window as drawn: a key set while hidden cuts when the window appears.
    settings.setValue(Setting::VolumeTransparent, 1);
    w.ShowVolumeLevel(30000, 30000, 0);
    EXPECT_NE(w.mask(), WindowShapeRegion(QSize(464, 64)));
    EXPECT_FALSE(w.mask().contains(QPoint(200, 30))) << "the background between title and bars";
    EXPECT_TRUE(w.mask().contains(QPoint(200, 40))) << "a bar";
    EXPECT_TRUE(w.mask().contains(QPoint(200, 10))) << "the title bar";
    // Of the label, its text stays and its background goes.
    const QRegion label = w.mask().intersected(w.LabelMute()->geometry());
    EXPECT_FALSE(label.isEmpty());
    EXPECT_NE(label, QRegion(w.LabelMute()->geometry()));
    settings.setValue(Setting::VolumeTransparent, 0);
    EXPECT_TRUE(w.mask().contains(QPoint(200, 30)));

    const struct {
        int position;
        qreal opacity;
    } alphas[] = {{2, 51 / 255.0}, {5, 127 / 255.0}, {9, 229 / 255.0}, {10, 1.0}};
    settings.setValue(Setting::VolumeAlpha, 3);
    for (const auto& a : alphas) {
        settings.setValue(Setting::VolumeAlpha, a.position);
        EXPECT_NEAR(w.windowOpacity(), a.opacity, 0.002) << a.position;
    }
}

// The title bar drags every skinned window that drags; this one drags by its surface too.
TEST(TFormVolume, DragsByItsSurfaceAlways) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    w.ShowVolumeLevel(1000, 1000, 0);
    const QPoint before = w.pos();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), w.mapToGlobal(QPointF(10, 10)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 17), w.mapToGlobal(QPointF(30, 17)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &move);
    EXPECT_EQ(w.pos(), before + QPoint(20, 7));
}

TEST(TFormVolume, BuildsNothingUntilFirstShown) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    ASSERT_TRUE(w.findChildren<QWidget*>().isEmpty());
    EXPECT_FALSE(w.Timer1->isActive());
    w.hide();
    EXPECT_TRUE(w.findChildren<QWidget*>().isEmpty()) << "a hide makes nothing either";
}

TEST(TFormVolume, APreviewShowsTheWindowForTheVisibleTimeEvenWhenSwitchedOff) {
    SettingsStore settings;
    Look look;
    TFormVolume w(settings, look);
    settings.LoadDefaults();
    settings.setValue(Setting::VolumeShow, 0);
    w.ShowVolumeLevel(1000, 1000, 0);
    ASSERT_FALSE(w.isVisible()) << "switched off for the volume functions";
    w.ShowPreview();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 2000);
    QSignalSpy timeout(w.Timer1, &QTimer::timeout);
    ASSERT_TRUE(timeout.wait(5000));
    EXPECT_FALSE(w.isVisible());
}

// The title bar, strips, background and quality follow the look as in every skinned window.
TEST(TFormVolume, TheMuteLabelIsBlueUntilASchemeGivesItsDarkColour) {
    const struct {
        const char* scheme; // nullptr: none before the first show
        QColor mute;
    } rows[] = {
        {nullptr, QColor(Qt::blue)},
        {"Blue", Skin::Navy},
        {"Black", QColor(0, 0, 0)},
    };
    for (const auto& row : rows) {
        SettingsStore settings;
        Look look;
        TFormVolume w(settings, look);
        if (row.scheme)
            look.SetScheme(QString::fromLatin1(row.scheme));
        w.ShowVolumeLevel(1000, 1000, 0);
        const char* name = row.scheme ? row.scheme : "(design)";
        EXPECT_EQ(w.LabelMute()->palette().color(QPalette::WindowText), row.mute) << name;
    }
}
