// SPDX-License-Identifier: GPL-3.0-or-later
// What the five skinned windows share: controls made at the first show, the outline, the title
// bar and strips, the look they follow, the title-bar drag and the colour key.
#include "FakeHotkeyBackend.h"
#include "FakeWindowActivator.h"
#include "controls/Look.h"
#include "controls/TdxButton.h"
#include "controls/WindowDrag.h"
#include "controls/WindowShape.h"
#include "controls/WindowTransparency.h"
#include "core/HotkeyTable.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/TFormAbout.h"
#include "settings/SettingsStore.h"
#include "settings/TFormLogo.h"
#include "settings/TFormOptions.h"
#include "volume/TFormVolume.h"

#include "SendMouse.h"
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

// What a window is made from.
struct Makings {
    HotkeyTable table;
    FakeHotkeyBackend backend;
    SettingsStore settings;
    FakeWindowActivator activator;
    Look look;
};

struct WindowRow {
    const char* name;
    std::function<std::unique_ptr<SkinnedWindow>(Makings&)> make;
    QSize size;
    const char* caption;
    int gradientButtons;
    // No child widget at all before the first show (the main window's menus exist at once).
    bool childless;
    bool drags;
    // The setting that turns the colour key on, and a spot of plain background.
    std::optional<Setting> colourKey;
    QPoint background;
};

void PrintTo(const WindowRow& row, std::ostream* out) {
    *out << row.name;
}

const WindowRow kWindows[] = {
    {"main",
     [](Makings& m) { return std::make_unique<TForm1>(m.table, m.backend, m.settings, m.look); },
     {542, 366},
     "Orvane",
     12, // with the panel's Record button
     false,
     true,
     Setting::MainTransparent,
     {470, 35}},
    {"About",
     [](Makings& m) { return std::make_unique<TFormAbout>(nullptr, m.look); },
     {300, 200},
     "About",
     2,
     true,
     true,
     std::nullopt,
     {}},
    {"options",
     [](Makings& m) { return std::make_unique<TFormOptions>(m.settings, m.look); },
     {394, 278},
     "Options",
     3,
     true,
     true,
     std::nullopt,
     {}},
    {"splash",
     [](Makings& m) { return std::make_unique<TFormLogo>(m.look); },
     {392, 99},
     "Loading ...",
     1,
     true,
     false,
     std::nullopt,
     {}},
    {"volume",
     [](Makings& m) { return std::make_unique<TFormVolume>(m.settings, m.look); },
     {464, 64},
     "Volume",
     1,
     true,
     true,
     Setting::VolumeTransparent,
     {200, 30}},
};

class SkinnedWindows : public ::testing::TestWithParam<WindowRow> {
protected:
    void SetUp() override {
        made.table.appendMany(DefaultHotkeyTable());
        made.settings.LoadDefaults();
        window = GetParam().make(made);
    }
    void show() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QColor background() const { return window->palette().color(QPalette::Window); }
    std::vector<QLabel*> strips() const {
        return {window->LabelLeft(), window->LabelRight(), window->LabelBottom()};
    }
    // The title bar's gradient and the strips, as a scheme colours them.
    void expectChrome(const SkinPalette& p) const {
        const TdxColors& bar = window->ButtonBar()->Colors();
        EXPECT_EQ(bar.BackgroundFrom(), p.dark);
        EXPECT_EQ(bar.FocusedFrom(), p.dark);
        EXPECT_EQ(bar.HighlightTo(), p.accent);
        EXPECT_EQ(bar.FocusedTo(), p.accent);
        for (const QLabel* strip : strips())
            EXPECT_EQ(strip->palette().color(QPalette::Window), p.dark)
                << strip->objectName().toStdString();
    }

    Makings made;
    std::unique_ptr<SkinnedWindow> window;
};

const SkinPalette kBlack = Skin::SchemePalette(QStringLiteral("Black"));
const SkinPalette kRed = Skin::SchemePalette(QStringLiteral("Red"));

TEST_P(SkinnedWindows, MakesNothingBeforeTheFirstShowButTheOutline) {
    const WindowRow& row = GetParam();
    EXPECT_FALSE(window->built());
    EXPECT_FALSE(window->testAttribute(Qt::WA_WState_Created));
    EXPECT_TRUE(window->findChildren<TdxButton*>().isEmpty());
    if (row.childless) {
        EXPECT_TRUE(window->findChildren<QWidget*>().isEmpty());
    }
    EXPECT_EQ(window->size(), row.size);
    EXPECT_EQ(window->mask(), WindowShapeRegion(row.size)) << "outline cut at creation";
    EXPECT_EQ(window->windowTitle(), QLatin1String(row.caption));
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);

    show();
    EXPECT_TRUE(window->built());
    EXPECT_TRUE(window->testAttribute(Qt::WA_WState_Created));
    EXPECT_EQ(window->findChildren<TdxButton*>().size(), row.gradientButtons);
}

TEST_P(SkinnedWindows, TitleBarAcrossTheTopAndStripsAlongTheOtherEdges) {
    show();
    const int w = window->width(), h = window->height();
    TdxButton* bar = window->ButtonBar();
    EXPECT_EQ(bar->Caption(), QLatin1String(GetParam().caption));
    EXPECT_EQ(bar->geometry(), QRect(0, 0, w, 26));
    EXPECT_EQ(bar->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(window->LabelLeft()->geometry(), QRect(0, 26, 2, h - 26));
    EXPECT_EQ(window->LabelRight()->geometry(), QRect(w - 2, 26, 2, h - 26));
    EXPECT_EQ(window->LabelBottom()->geometry(), QRect(0, h - 2, w, 2));
    // A control added later stays under the frame.
    auto* late = new QLabel(window.get());
    late->setGeometry(window->rect());
    late->show();
    for (QLabel* strip : strips())
        EXPECT_EQ(window->childAt(strip->geometry().center()), strip);
}

TEST_P(SkinnedWindows, DesignLookUntilASchemeThenEverySchemeAtOnce) {
    show();
    EXPECT_EQ(background(), Skin::WindowBackground);
    expectChrome(Skin::DesignPalette);
    for (const SkinPalette& p : {kRed, kBlack, Skin::SchemePalette(0)}) {
        made.look.SetPalette(p);
        EXPECT_EQ(background(), p.windowBackground);
        expectChrome(p);
    }
}

TEST_P(SkinnedWindows, ASchemeBeforeTheFirstShowColoursTheBackgroundAtOnceAndTheRestWhenMade) {
    made.look.SetPalette(kBlack);
    EXPECT_TRUE(window->findChildren<TdxButton*>().isEmpty()) << "nothing made early";
    EXPECT_EQ(background(), kBlack.windowBackground);
    show();
    expectChrome(kBlack);
}

TEST_P(SkinnedWindows, QualityReachesEveryGradientButtonMadeBeforeOrAfter) {
    made.look.SetQuality(bqLow);
    ASSERT_TRUE(window->findChildren<TdxButton*>().isEmpty()) << "nothing made early";
    show();
    const QList<TdxButton*> buttons = window->findChildren<TdxButton*>();
    ASSERT_EQ(buttons.size(), GetParam().gradientButtons);
    for (const TdxButton* b : buttons)
        EXPECT_EQ(b->Quality(), bqLow) << b->objectName().toStdString();
    made.look.SetQuality(bqHigh);
    for (const TdxButton* b : buttons)
        EXPECT_EQ(b->Quality(), bqHigh) << b->objectName().toStdString();
}

// A screen reader finds every gradient button as a push button with a name it can say, but
// the title bar, which reads as the window's title bar and offers nothing to press.
TEST_P(SkinnedWindows, EveryGradientButtonIsANamedPushButton) {
    show();
    const QList<TdxButton*> buttons = window->findChildren<TdxButton*>();
    ASSERT_EQ(buttons.size(), GetParam().gradientButtons);
    for (TdxButton* b : buttons) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
        ASSERT_NE(a, nullptr) << b->objectName().toStdString();
        const bool bar = b == window->ButtonBar();
        EXPECT_EQ(a->role(), bar ? QAccessible::TitleBar : QAccessible::Button)
            << b->objectName().toStdString();
        if (bar) {
            EXPECT_TRUE(a->actionInterface()->actionNames().isEmpty());
        }
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << b->objectName().toStdString();
    }
    const QAccessibleInterface* w = QAccessible::queryAccessibleInterface(window.get());
    EXPECT_EQ(w->text(QAccessible::Name), window->windowTitle());
    EXPECT_EQ(w->role(),
              window->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window);
}

TEST_P(SkinnedWindows, TheTitleBarDragsTheWindowsThatDrag) {
    show();
    TdxButton* bar = window->ButtonBar();
    const QPoint before = window->pos();
    const QPoint start = bar->mapToGlobal(QPoint(150, 10));
    SendMouse(bar, QEvent::MouseButtonPress, start);
    SendMouse(bar, QEvent::MouseMove, start + QPoint(30, -12));
    ASSERT_EQ(window->Drag() != nullptr, GetParam().drags);
    if (window->Drag()) {
        EXPECT_EQ(window->Drag()->Anchor(), QPoint(150, 10)) << "the press in the bar's own terms";
    }
    EXPECT_EQ(window->pos(), GetParam().drags ? before + QPoint(30, -12) : before);
}

TEST_P(SkinnedWindows, TheColourKeyCutsTheSchemesBackground) {
    const WindowRow& row = GetParam();
    ASSERT_EQ(window->Transparency() != nullptr, row.colourKey.has_value());
    if (!row.colourKey)
        return;
    show();
    const QRegion outline = window->mask();
    ASSERT_TRUE(outline.contains(row.background));
    made.settings.setValue(*row.colourKey, 1);
    EXPECT_FALSE(window->mask().contains(row.background));
    EXPECT_TRUE(window->mask().contains(QPoint(10, 10))) << "title bar";

    QSignalSpy cut(window->Transparency(), &WindowTransparency::outlineCut);
    made.look.SetPalette(kBlack);
    ASSERT_TRUE(!cut.isEmpty() || cut.wait(5000));
    EXPECT_FALSE(window->mask().contains(row.background)) << "the new background keyed";
    EXPECT_TRUE(window->mask().contains(QPoint(10, 10)));
    made.settings.setValue(*row.colourKey, 0);
    EXPECT_EQ(window->mask(), outline);
}

std::string rowName(const ::testing::TestParamInfo<WindowRow>& row) {
    return row.param.name;
}

INSTANTIATE_TEST_SUITE_P(FiveWindows, SkinnedWindows, ::testing::ValuesIn(kWindows), rowName);

} // namespace
