// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyTable.h"

#include <QSet>
#include <gtest/gtest.h>

// Names stay distinct ignoring case, for the name lookup; codes stay distinct, for the store.
TEST(KeyTable, HasDistinctNamesAndCodes) {
    const QStringList names = KeyTable::names();
    const QStringList codes = KeyTable::codeTexts();
    ASSERT_EQ(names.size(), 127);
    ASSERT_EQ(codes.size(), 127);
    QSet<QString> folded;
    for (const QString& name : names)
        folded.insert(name.toLower());
    EXPECT_EQ(folded.size(), 127);
    EXPECT_EQ(QSet<QString>(codes.begin(), codes.end()).size(), 127);
}

// Golden rows at the boundaries of each group of the table.
TEST(KeyTable, RowsAtGroupBoundaries) {
    const struct {
        int position;
        const char* name;
        int code;
    } rows[] = {
        {0, "0", 48},         {9, "9", 57},         {10, "Num 0", 96},       {19, "Num 9", 105},
        {20, "NumLock", 144}, {21, "Num /", 111},   {22, "Num *", 106},      {23, "Num -", 109},
        {24, "Num +", 107},   {25, "Num .", 110},   {26, "A", 65},           {51, "Z", 90},
        {52, "Insert", 45},   {55, "PageDown", 34}, {56, "Up", 38},          {57, "Down", 40},
        {58, "Left", 37},     {59, "Right", 39},    {60, "Esc", 27},         {63, "Space", 32},
        {64, "-", 189},       {65, "=", 187},       {66, "BackSpace", 8},    {67, "[ {", 219},
        {68, "] }", 221},     {69, "\\ |", 220},    {70, "; :", 186},        {71, "' \"", 222},
        {72, "Enter", 13},    {73, ", <", 188},     {74, ". >", 190},        {75, "/ ?", 191},
        {76, "F1", 112},      {87, "F12", 123},     {88, "ScrollLock", 145}, {89, "Pause", 19},
    };
    for (const auto& r : rows) {
        EXPECT_STREQ(KeyTable::at(r.position).name, r.name) << r.position;
        EXPECT_EQ(KeyTable::at(r.position).code, r.code) << r.name;
    }
}

TEST(KeyTable, NameLookupIgnoresCaseButNotBlanks) {
    EXPECT_EQ(KeyTable::positionOfName("a"), 26);
    EXPECT_EQ(KeyTable::codeOfName("a"), 65);
    EXPECT_EQ(KeyTable::codeOfName("pagedown"), 34);
    EXPECT_EQ(KeyTable::codeOfName("Num 0"), 96);
    EXPECT_FALSE(KeyTable::codeOfName("Num0").has_value());
    EXPECT_FALSE(KeyTable::codeOfName("").has_value());
    EXPECT_FALSE(KeyTable::codeOfName("Code 35").has_value());
    EXPECT_EQ(KeyTable::codeOfName("browser favorites"), 171);
}

TEST(KeyTable, CodeLookupKnowsOnlyTheTable) {
    EXPECT_EQ(KeyTable::nameOfCode(7), QString());
    EXPECT_EQ(KeyTable::nameOfCode(255), QString());
    EXPECT_EQ(KeyTable::nameOfCode(38), "Up");
    EXPECT_EQ(KeyTable::nameOfCode(40), "Down");
    EXPECT_EQ(KeyTable::nameOfCode(109), "Num -");
    EXPECT_EQ(KeyTable::nameOfCode(189), "-");
}
