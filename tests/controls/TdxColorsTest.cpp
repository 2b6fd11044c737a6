// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TdxColors.h"
#include "controls/TdxButton.h"

#include <gtest/gtest.h>

namespace {

struct ColourProperty {
    const char* name;
    QColor (TdxColors::*get)() const;
    void (TdxColors::*set)(const QColor&);
};

const ColourProperty kColours[] = {
    {"BackgroundFrom", &TdxColors::BackgroundFrom, &TdxColors::SetBackgroundFrom},
    {"BackgroundTo", &TdxColors::BackgroundTo, &TdxColors::SetBackgroundTo},
    {"BorderEdges", &TdxColors::BorderEdges, &TdxColors::SetBorderEdges},
    {"BorderLine", &TdxColors::BorderLine, &TdxColors::SetBorderLine},
    {"ClickedFrom", &TdxColors::ClickedFrom, &TdxColors::SetClickedFrom},
    {"ClickedTo", &TdxColors::ClickedTo, &TdxColors::SetClickedTo},
    {"FocusedFrom", &TdxColors::FocusedFrom, &TdxColors::SetFocusedFrom},
    {"FocusedTo", &TdxColors::FocusedTo, &TdxColors::SetFocusedTo},
    {"HighlightFrom", &TdxColors::HighlightFrom, &TdxColors::SetHighlightFrom},
    {"HighlightTo", &TdxColors::HighlightTo, &TdxColors::SetHighlightTo},
    {"HotTrack", &TdxColors::HotTrack, &TdxColors::SetHotTrack},
};

class TdxColorsSetter : public testing::TestWithParam<ColourProperty> {
protected:
    int changes = 0;
    TdxColors colors{[this] { ++changes; }};
};

TEST_P(TdxColorsSetter, StoresItsOwnColourAsRgbAndTellsOnlyOfARealChange) {
    const ColourProperty& p = GetParam();
    const QColor before = (colors.*p.get)();
    const QColor asHsv = before.toHsv();
    ASSERT_EQ(asHsv.rgb(), before.rgb()); // the same colour in another model

    (colors.*p.set)(before);
    (colors.*p.set)(asHsv);
    EXPECT_EQ(changes, 0);

    const QColor other = QColor::fromRgb(before.rgb() ^ 0x00FFFFFFu).toHsv();
    (colors.*p.set)(other);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ((colors.*p.get)().rgb(), other.rgb());
    // Stored as RGB: a colour equals its RGB form only when it is one.
    EXPECT_EQ((colors.*p.get)(), (colors.*p.get)().toRgb());
    // The other ten kept theirs.
    TdxColors defaults;
    for (const ColourProperty& q : kColours) {
        if (q.get != p.get) {
            EXPECT_EQ((colors.*q.get)(), (defaults.*q.get)()) << q.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryColour, TdxColorsSetter, testing::ValuesIn(kColours),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TdxButtonGradients, OnlyANewQualityOrColourRendersThemAgain) {
    TdxButton button;
    qint64 face = button.FaceBitmap().cacheKey();
    ASSERT_FALSE(button.FaceBitmap().isNull());

    button.SetQuality(button.Quality());
    button.Colors().SetBackgroundFrom(button.Colors().BackgroundFrom());
    EXPECT_EQ(button.FaceBitmap().cacheKey(), face);

    button.SetQuality(button.Quality() == bqHigh ? bqLow : bqHigh);
    EXPECT_NE(button.FaceBitmap().cacheKey(), face);
    face = button.FaceBitmap().cacheKey();
    button.Colors().SetBackgroundFrom(Qt::green);
    EXPECT_NE(button.FaceBitmap().cacheKey(), face);
}

} // namespace
