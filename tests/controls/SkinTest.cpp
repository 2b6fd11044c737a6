// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/Skin.h"
#include "controls/TdxButton.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct SchemeRow {
    QString name;
    int index;
    QColor dark, accent, list, window;
};

// Names match exactly; everything else, the empty name of a list without a selection
// included, falls back to blue with a paler list.
const SchemeRow kSchemes[] = {
    {"Blue", 0, {0, 0, 128}, {166, 202, 240}, {230, 250, 255}, {220, 240, 255}},
    {"Red", 2, {50, 0, 0}, {220, 70, 70}, {255, 235, 240}, {245, 210, 220}},
    {"Black", 6, {0, 0, 0}, {192, 192, 192}, {160, 160, 164}, {128, 128, 128}},
    {"blue", -1, {0, 0, 128}, {166, 202, 240}, {235, 245, 255}, {220, 240, 255}},
    {"", 9, {0, 0, 128}, {166, 202, 240}, {235, 245, 255}, {220, 240, 255}},
};

TEST(Skin, SchemePalettesByNameAndByStoredIndex) {
    for (const SchemeRow& row : kSchemes) {
        const SkinPalette expected{row.dark, row.accent, row.list, row.window};
        EXPECT_EQ(Skin::SchemePalette(row.name), expected) << row.name.toStdString();
        EXPECT_EQ(Skin::SchemePalette(row.index), expected) << row.index;
    }
}

TEST(Skin, QualityReachesNestedButtonsAndKeepsAValueOutsideTheList) {
    QWidget window;
    auto* top = new TdxButton(&window);
    auto* nested = new TdxButton(new QWidget(&window));
    ASSERT_EQ(nested->Quality(), bqMiddle);
    Skin::ApplyQuality(&window, bqHigh);
    EXPECT_EQ(top->Quality(), bqHigh);
    EXPECT_EQ(nested->Quality(), bqHigh);
    Skin::ApplyQuality(&window, -1);
    EXPECT_EQ(int(nested->Quality()), -1);
}

} // namespace
