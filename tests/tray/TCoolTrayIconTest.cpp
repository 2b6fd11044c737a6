// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/TCoolTrayIcon.h"
#include "FakeTrayHost.h"
#include "tray/TrayMenu.h"

#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Eight frames told apart by colour.
QList<QIcon> frames(int count = 8) {
    QList<QIcon> list;
    for (int i = 0; i < count; ++i) {
        QPixmap p(16, 16);
        p.fill(QColor(i * 30, 0, 0));
        list.append(QIcon(p));
    }
    return list;
}

int indexOf(const QList<QIcon>& list, const QIcon& icon) {
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).cacheKey() == icon.cacheKey())
            return i;
    return -1;
}

// One animation tick, as the event loop would deliver it.
void tick(TCoolTrayIcon& tray) {
    QTimerEvent e(tray.AnimationTimer()->timerId());
    QCoreApplication::sendEvent(tray.AnimationTimer(), &e);
}

struct Tray : ::testing::Test {
    FakeTrayHost host;
    QList<QIcon> list = frames();
    TCoolTrayIcon tray{host, {}};

    void configure(bool cycle) {
        tray.SetCycleIcons(cycle);
        tray.SetCycleInterval(1500);
        tray.SetHint(QStringLiteral("Orvane"));
        tray.SetShowHint(true);
        tray.SetIconList(list);
        tray.Loaded();
    }
};

// The animation's frames, decoded when first drawn: each draws its own pictures, the 2x one
// on a 2x screen.
TEST(ImageListTray, EachFrameDrawsItsPicturesAtEverySize) {
    const QList<QIcon> frames = ImageListTray();
    ASSERT_EQ(frames.size(), 8);
    const auto argb = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(frames[i].availableSizes(), QList<QSize>({{16, 16}, {32, 32}, {64, 64}}));
        const struct {
            int size;
            qreal ratio;
            const char* file;
        } rows[] = {
            {16, 1, ":/tray/%1-16.png"}, {32, 1, ":/tray/%1.png"}, {32, 2, ":/tray/%1@2x.png"}};
        for (const auto& row : rows) {
            const QImage drawn = frames[i].pixmap(QSize(row.size, row.size), row.ratio).toImage();
            const QImage file(QString::fromLatin1(row.file).arg(i));
            ASSERT_FALSE(file.isNull()) << row.file;
            EXPECT_EQ(argb(drawn), argb(file)) << i << " " << row.file;
        }
    }
}

} // namespace

TEST_F(Tray, NothingReachesTheTrayBeforeTheEndOfLoading) {
    tray.SetIconList(list);
    tray.SetCycleIcons(true);
    tray.SetIconVisible(false);
    tray.SetIconVisible(true);
    EXPECT_EQ(host.adds, 0);
    EXPECT_TRUE(host.modified.isEmpty());
    EXPECT_FALSE(tray.AnimationTimer()->isActive());
    tray.Loaded();
    EXPECT_EQ(host.adds, 1);
    EXPECT_EQ(indexOf(list, host.icon), 0);
    EXPECT_TRUE(tray.AnimationTimer()->isActive());
}

TEST_F(Tray, AHiddenIconStaysOutOfTheTrayAtTheEndOfLoading) {
    tray.SetIconList(list);
    tray.SetIconVisible(false);
    tray.Loaded();
    EXPECT_EQ(host.adds, 0);
    EXPECT_FALSE(host.shown);
}

TEST_F(Tray, IconIndexSelectsAnImageAndIsClampedToTheLast) {
    configure(false);
    const struct { int n, index; } rows[] = {{0, 0}, {4, 4}, {7, 7}, {8, 7}, {100, 7}, {3, 3}};
    for (const auto& r : rows) {
        tray.SetIconIndex(r.n);
        EXPECT_EQ(tray.IconIndex(), r.index) << r.n;
        EXPECT_EQ(indexOf(list, host.icon), r.index) << r.n;
    }
    tray.SetIconList({});
    tray.SetIconIndex(5);
    EXPECT_EQ(tray.IconIndex(), 0);
}

TEST_F(Tray, TheAnimationShowsOneToSevenThenZeroOneImagePerTick) {
    QList<int> announced;
    tray.OnCycle = [&](TCoolTrayIcon* sender, int next) {
        EXPECT_EQ(sender, &tray);
        announced.append(next);
    };
    configure(true);
    ASSERT_TRUE(tray.AnimationTimer()->isActive());
    EXPECT_EQ(tray.AnimationTimer()->interval(), 1500);
    host.modified.clear();
    for (int i = 0; i < 9; ++i)
        tick(tray);
    QList<int> shown;
    for (const QIcon& icon : host.modified)
        shown.append(indexOf(list, icon));
    // One change of the tray per tick, nothing else.
    EXPECT_EQ(shown, QList<int>({1, 2, 3, 4, 5, 6, 7, 0, 1}));
    EXPECT_EQ(announced, shown);
}

TEST_F(Tray, AnimationOffStopsTheTimerAndOnRestartsAtZero) {
    configure(true);
    tick(tray);
    tick(tray);
    ASSERT_EQ(tray.IconIndex(), 2);
    // As the Animate option does it: stop, then the still image.
    tray.SetCycleIcons(false);
    tray.SetIconIndex(4);
    EXPECT_FALSE(tray.AnimationTimer()->isActive());
    EXPECT_EQ(indexOf(list, host.icon), 4);
    tray.SetCycleIcons(true);
    EXPECT_TRUE(tray.AnimationTimer()->isActive());
    EXPECT_EQ(indexOf(list, host.icon), 0);
}

TEST_F(Tray, AHiddenIconCostsNoTimer) {
    configure(true);
    ASSERT_TRUE(tray.AnimationTimer()->isActive());
    tray.SetIconVisible(false);
    EXPECT_FALSE(host.shown);
    EXPECT_FALSE(tray.AnimationTimer()->isActive());
    tray.SetIconVisible(true);
    EXPECT_TRUE(host.shown);
    EXPECT_TRUE(tray.AnimationTimer()->isActive());
}

TEST_F(Tray, TheTipIsTheHintCutTo63CharactersWhileHintsAreOn) {
    configure(false);
    EXPECT_EQ(host.tip, QStringLiteral("Orvane"));
    const QString longHint(70, QLatin1Char('x'));
    tray.SetHint(longHint);
    EXPECT_EQ(host.tip, longHint.left(63));
    tray.SetShowHint(false);
    EXPECT_EQ(host.tip, QString());
}

TEST_F(Tray, ClicksBecomeEventsInOrder) {
    QStringList seen;
    tray.OnMouseDown = [&](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint) {
        seen << QStringLiteral("down %1").arg(b);
    };
    tray.OnMouseUp = [&](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint) {
        seen << QStringLiteral("up %1").arg(b);
    };
    tray.OnClick = [&] { seen << QStringLiteral("click"); };
    tray.OnDblClick = [&] { seen << QStringLiteral("double"); };
    QMenu menu;
    QAction* show = menu.addAction(QStringLiteral("Show"));
    menu.setDefaultAction(show);
    QSignalSpy shown(show, &QAction::triggered);
    tray.SetPopupMenu(&menu);
    EXPECT_EQ(host.menu, &menu);
    configure(false);

    host.click();
    EXPECT_EQ(seen, QStringList({"down 1", "click", "up 1"}));
    seen.clear();
    emit host.released(TrayHost::Button::Left); // a press elsewhere: no click
    EXPECT_EQ(seen, QStringList({"up 1"}));
    seen.clear();
    host.click(TrayHost::Button::Right);
    EXPECT_EQ(seen, QStringList({"down 2", "up 2"}));
    seen.clear();
    emit host.doubleClicked();
    EXPECT_EQ(seen, QStringList({"double"}));
    EXPECT_EQ(shown.count(), 1);

    tray.SetEnabled(false);
    seen.clear();
    host.click();
    emit host.doubleClicked();
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(shown.count(), 1);
}

TEST_F(Tray, ATrayThatAppearsLaterGetsTheIcon) {
    host.isAvailable = false;
    configure(false);
    const int before = host.adds;
    host.appear();
    EXPECT_EQ(host.adds, before + 1);
    EXPECT_TRUE(host.shown);
}

TEST(TrayMinimize, MinimisingHidesTheWindowToTheTrayAndShowsAHiddenIcon) {
    for (const bool toTray : {true, false}) {
        FakeTrayHost host;
        QWidget window;
        int hides = 0;
        bool minimisedWhenHidden = false;
        TCoolTrayIcon tray(host, {&window, [&] { window.show(); },
                                  [&] {
                                      ++hides;
                                      minimisedWhenHidden = window.isMinimized();
                                      window.hide();
                                  }});
        tray.SetIconList(frames());
        tray.SetMinimizeToTray(toTray);
        tray.Loaded();
        tray.SetIconVisible(false);
        window.show();
        ASSERT_TRUE(window.isVisible());

        window.showMinimized();
        ASSERT_TRUE(window.isMinimized() || !window.isVisible());
        QCoreApplication::processEvents();
        EXPECT_EQ(hides, toTray ? 1 : 0);
        EXPECT_EQ(window.isVisible(), !toTray);
        EXPECT_EQ(host.shown, toTray) << "a hidden icon comes back with the minimise";
        // Leaving the minimised state first would ask the window manager to map it.
        EXPECT_EQ(minimisedWhenHidden, toTray) << "hidden as it is";
        if (toTray) {
            // Shown again from the tray, it is not minimised.
            tray.ShowMainWindow();
            EXPECT_TRUE(window.isVisible());
            EXPECT_FALSE(window.isMinimized());
        }
    }
}

TEST(TrayRemoval, TheIconLeavesTheTrayWithTheComponent) {
    FakeTrayHost host;
    {
        TCoolTrayIcon tray(host, {});
        tray.Loaded();
        ASSERT_TRUE(host.shown);
    }
    EXPECT_FALSE(host.shown);
}
