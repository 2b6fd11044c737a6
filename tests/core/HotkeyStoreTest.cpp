// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyStore.h"
#include "FakeHotkeyBackend.h"
#include "TestFiles.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "core/IniFile.h"
#include "core/KeyTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

QString noComputer() {
    return {};
}

struct StoreFixture : ::testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath("Hotkeys.ini");
    HotkeyTable table;

    void SetUp() override { table.appendMany(DefaultHotkeyTable()); }
    void load(const QByteArray& text) {
        ASSERT_TRUE(writeAll(path, text));
        HotkeyStore::Load(table, path, noComputer);
    }
};

} // namespace

TEST_F(StoreFixture, MissingKeysTakeTheirDefaults) {
    load("[HotKeys]\nCount=3\nKey0=67\nChecked0=1\nImage0=2\nPath0=calc.exe\nAlt0=1\nCtrl0=1\n"
         "Shift0=0\n");
    ASSERT_EQ(table.count(), 3);
    EXPECT_EQ(table.at(0).Key, "C");
    EXPECT_EQ(table.at(0).Flags, "Alt+Ctrl+");
    for (int row : {1, 2}) {
        const HotkeyEntry& e = table.at(row);
        EXPECT_EQ(e.Flags, "Alt+Ctrl+");
        EXPECT_EQ(e.Key, "0");
        EXPECT_EQ(e.Execute, "");
        EXPECT_FALSE(e.Checked);
        EXPECT_EQ(e.Image, 34);
        EXPECT_EQ(e.ID, QString::number(row + 1));
        EXPECT_EQ(e.Alt + e.Ctrl + e.Shift, "110");
    }
}

TEST_F(StoreFixture, NegativeCountEmptiesTheTable) {
    load("[HotKeys]\nCount=-1\nKey0=67\n");
    EXPECT_EQ(table.count(), 0);
}

// An emptied table stays empty, start after start; only Reset's write brings the defaults.
TEST_F(StoreFixture, AnEmptiedTableStaysEmptyAndOnlyResetBringsTheDefaults) {
    for (const bool reset : {false, true}) {
        table.clear();
        ASSERT_TRUE(reset ? HotkeyStore::SaveReset(path) : HotkeyStore::Save(table, path));
        EXPECT_TRUE(
            readAll(path).startsWith(reset ? "[HotKeys]\nCount=0\n" : "[HotKeys]\nCount=-1\n"));
        table.appendMany(DefaultHotkeyTable());
        EXPECT_EQ(HotkeyStore::Load(table, path, noComputer), !reset);
        EXPECT_EQ(table.count(), reset ? 20 : 0);
    }
}

TEST_F(StoreFixture, ZeroOrNonNumericCountKeepsTheDefaultTable) {
    for (const QByteArray& text : {QByteArray("[HotKeys]\nCount=0\nKey0=67\nPath0=x\n"),
                                   QByteArray("[HotKeys]\nCount=many\nKey0=67\n"),
                                   QByteArray("[Other]\nCount=5\n"), QByteArray()}) {
        table.clear();
        table.appendMany(DefaultHotkeyTable());
        load(text);
        ASSERT_EQ(table.count(), 20) << text.constData();
        EXPECT_EQ(table.at(2).Execute, "calc.exe");
    }
}

TEST_F(StoreFixture, ValueForms) {
    load("[HotKeys]\nCount=3\nKey0=0x43\nChecked0=2\nKey1=67\nChecked1=yes\nKey2=250\n"
         "Checked2=1\nAlt2=0\nCtrl2=0\nShift2=7\n");
    EXPECT_EQ(table.at(0).Key, "C");
    EXPECT_TRUE(table.at(0).Checked);
    EXPECT_FALSE(table.at(1).Checked);
    EXPECT_EQ(table.at(2).Key, "Code 250"); // not in the key table: shown by its code
    EXPECT_EQ(table.at(2).Flags, "Shift+");
    EXPECT_EQ(table.at(2).Shift, "1");
    // Off for this run, and written back as stored for a version that knows the key.
    FakeHotkeyBackend backend;
    HotkeyRegistration::RegistrationPass(table, backend);
    EXPECT_FALSE(table.at(2).Checked);
    ASSERT_TRUE(HotkeyStore::Save(table, path));
    EXPECT_TRUE(readAll(path).contains("Key2=250\nChecked2=1\n"));
}

TEST_F(StoreFixture, NetworkPlaceholderTakesTheComputerName) {
    HotkeyStore::Load(table, dir.filePath("absent.ini"), [] { return QString("OFFICE1"); });
    EXPECT_EQ(table.at(8).Execute, "\\\\OFFICE1");

    HotkeyTable other;
    other.appendMany(DefaultHotkeyTable());
    HotkeyStore::Load(other, dir.filePath("absent.ini"), noComputer);
    EXPECT_EQ(other.at(8).Execute, "\\\\NetworkComputer");
}

TEST_F(StoreFixture, HugeCountIsCappedInsteadOfExhaustingMemory) {
    load("[HotKeys]\nCount=2000000000\n");
    EXPECT_EQ(table.count(), HotkeyStore::MaxEntries);
}

TEST_F(StoreFixture, SaveWritesTheDocumentedLayout) {
    table.clear();
    HotkeyEntry calc = DefaultHotkeyTable()[2];
    table.append(calc);
    ASSERT_TRUE(HotkeyStore::Save(table, path));
    EXPECT_EQ(readAll(path), "[HotKeys]\nCount=1\nKey0=67\nChecked0=1\nImage0=2\nPath0=calc.exe\n"
                             "Alt0=1\nCtrl0=1\nShift0=0\n");
}

TEST_F(StoreFixture, ShrunkTableLeavesOldKeysThatTheLoadIgnores) {
    ASSERT_TRUE(HotkeyStore::Save(table, path));
    HotkeyTable five;
    for (int i = 0; i < 5; ++i)
        five.append(table.at(i));
    ASSERT_TRUE(HotkeyStore::Save(five, path));
    const IniFile ini = IniFile::load(path);
    EXPECT_EQ(ini.readInteger("HotKeys", "Count", 0), 5);
    EXPECT_TRUE(ini.value("HotKeys", "Key19").has_value());
    HotkeyStore::Load(table, path, noComputer);
    EXPECT_EQ(table.count(), 5);
}

TEST_F(StoreFixture, SaveAndLoadRoundTripTheTable) {
    HotkeyEntry odd = table.at(0);
    odd.Execute = "  \"/opt/x y/run;me.sh\" ";
    odd.Checked = false;
    odd.Image = 51;
    table.replace(0, odd);
    ASSERT_TRUE(HotkeyStore::Save(table, path));
    HotkeyTable back;
    HotkeyStore::Load(back, path, noComputer);
    ASSERT_EQ(back.count(), table.count());
    for (int i = 0; i < table.count(); ++i)
        EXPECT_EQ(back.at(i), table.at(i)) << i;
}

// Win is read where it stands and written only where set or already in the file, so a
// table without Super is written as before (the ANSI and BOM golden files stay byte-equal).
TEST_F(StoreFixture, WinIsWrittenWhereSetOrAlreadyStored) {
    load("[HotKeys]\nCount=3\nKey0=175\nWin0=1\nKey1=135\nWin1=1\nKey2=35\n");
    EXPECT_EQ(table.at(0).Flags, "Win+Alt+Ctrl+");
    EXPECT_EQ(table.at(0).Key, "Volume Up");
    EXPECT_EQ(table.at(2).Win, "0");
    HotkeyEntry f24 = table.at(1);
    f24.Win = "0";
    table.replace(1, f24);
    ASSERT_TRUE(HotkeyStore::Save(table, path));
    const QByteArray text = readAll(path);
    EXPECT_TRUE(text.contains("Win0=1\n"));
    EXPECT_TRUE(text.contains("Key1=135\n") && text.contains("Win1=0\n"));
    EXPECT_FALSE(text.contains("Win2"));
}

TEST_F(StoreFixture, GarbageFileLoadsWhatItCanAndNextSaveIsValid) {
    const char head[] =
        "\x00\xff\xfe[HotKeys\n[HotKeys]\nCount=2\n\x01\x02=\x03\nKey1=65\nPath1=\xc3\x28\n";
    QByteArray garbage(head, sizeof head - 1);
    garbage += QByteArray(100000, '\x7f');
    load(garbage);
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.at(1).Key, "A");
    ASSERT_TRUE(HotkeyStore::Save(table, path));
    HotkeyTable back;
    HotkeyStore::Load(back, path, noComputer);
    ASSERT_EQ(back.count(), 2);
    EXPECT_EQ(back.at(1).Key, "A");
}

TEST_F(StoreFixture, AnsiFileLoadsEveryCharacter) {
    load("[HotKeys]\r\nCount=1\r\nPath0=C:\\Programme\\M\xFCller\\\x80.exe\r\n");
    ASSERT_EQ(table.count(), 1);
    EXPECT_EQ(table.at(0).Execute, QString::fromUtf16(u"C:\\Programme\\Müller\\€.exe"));
}

// Golden files: data/store/<case>.input.ini loaded and saved back must give
// <case>.expected.ini byte for byte.
TEST(HotkeyStoreGolden, LoadThenSaveGivesTheExpectedFile) {
    const QDir data(qEnvironmentVariable("ORVANE_TEST_DATA") + "/data/store");
    const QStringList inputs = data.entryList({"*.input.ini"}, QDir::Files);
    ASSERT_FALSE(inputs.isEmpty()) << data.path().toStdString();
    for (const QString& input : inputs) {
        QTemporaryDir dir;
        const QString path = dir.filePath("Hotkeys.ini");
        ASSERT_TRUE(QFile::copy(data.filePath(input), path));
        HotkeyTable table;
        HotkeyStore::Load(table, path, noComputer);
        ASSERT_TRUE(HotkeyStore::Save(table, path));
        const QString expected = QString(input).replace(".input.", ".expected.");
        EXPECT_EQ(readAll(path).toStdString(), readAll(data.filePath(expected)).toStdString())
            << input.toStdString();
    }
}

namespace {

// The table as a lookup per value reads it: what the one-pass load must give.
std::vector<HotkeyEntry> lookedUp(const IniFile& ini) {
    const QString s = QStringLiteral("HotKeys");
    const int count =
        std::min(ini.readInteger(s, QStringLiteral("Count"), 0), HotkeyStore::MaxEntries);
    std::vector<HotkeyEntry> out;
    for (int i = 0; i < count; ++i) {
        const auto at = [i](const char* name) { return QLatin1String(name) + QString::number(i); };
        const int code = ini.readInteger(s, at("Key"), 48);
        HotkeyEntry e;
        const bool alt = ini.readBool(s, at("Alt"), true), ctrl = ini.readBool(s, at("Ctrl"), true),
                   shift = ini.readBool(s, at("Shift"), false),
                   win = ini.readBool(s, at("Win"), false);
        e.Flags = ModifierText(alt, ctrl, shift, win);
        e.Image = ini.readInteger(s, at("Image"), 34);
        e.Checked = ini.readBool(s, at("Checked"), false);
        e.Key = KeyTable::nameOfCode(code);
        if (e.Key.isEmpty())
            e.Key = KeyTable::textOfUnknownCode(code);
        e.Execute = ini.readString(s, at("Path"), QString());
        e.ID = QString::number(i + 1);
        e.Alt = FlagText(alt);
        e.Ctrl = FlagText(ctrl);
        e.Shift = FlagText(shift);
        e.Win = FlagText(win);
        out.push_back(e);
    }
    return out;
}

} // namespace

// Files of every shape a hand or another program may leave: names in any case, repeated
// names (the first counts), indexes written otherwise ("Key01", "Key+1"), keys past Count,
// blanks and quotes around values, comments, another section of the same name.
TEST_F(StoreFixture, TheOnePassLoadReadsWhatALookupPerValueReads) {
    const char* const names[] = {"Key",   "KEY", "Checked", "image", "Path", "Alt",   "ctrl",
                                 "Shift", "Win", "Count",   "count", "Key0", "Path+", "Alt 1"};
    const char* const values[] = {
        "1",    "0",   " 75 ",       "\"x y\"",        "",         "abc", "-1",
        "0x10", "'q'", "2147483648", "C:\\a b\\c.exe", "3;comment"};
    std::mt19937 random(23);
    int compared = 0;
    for (int file = 0; file < 300; ++file) {
        QByteArray text = "; a comment\n[HotKeys]\n";
        const int lines = int(random() % 60);
        for (int l = 0; l < lines; ++l) {
            const QByteArray name = names[random() % std::size(names)];
            QByteArray index = QByteArray::number(int(random() % 7));
            if (random() % 9 == 0)
                index.prepend('0');
            if (name.startsWith("Count") || name.contains(' ') || name.endsWith('0'))
                index.clear();
            text += (random() % 5 == 0 ? "  " : "") + name + index + "=" +
                    values[random() % std::size(values)] + "\n";
        }
        if (random() % 4 == 0)
            text += "[hotkeys]\nCount=2\nKey0=70\n";
        SCOPED_TRACE(text.toStdString());
        load(text);
        const std::vector<HotkeyEntry> expected = lookedUp(IniFile::parse(text));
        if (expected.empty())
            continue; // no Count: the default table stays, as the other tests check
        ASSERT_EQ(size_t(table.count()), expected.size());
        ++compared;
        for (int row = 0; row < table.count(); ++row)
            EXPECT_TRUE(table.at(row) == expected[size_t(row)]) << "row " << row;
    }
    EXPECT_GT(compared, 50); // the files held tables, not only the default one
}
