#include "IniFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(IniFileRead, ProfileFunctionSemantics) {
    const IniFile ini = IniFile::parse("orphan=before any section\n"
                                       "[ Main ]\r\n"
                                       "  Name  =  value with blanks  \r\n"
                                       "quoted=\"  kept blanks \"\n"
                                       "single='x'\n"
                                       "mismatch=\"x'\n"
                                       "name=second wins not\n"
                                       "; comment=not a key\n"
                                       "no equals sign\n"
                                       "eq=a=b\r"
                                       "[odd]name]\n"
                                       "k=odd\n"
                                       "[MAIN]\n"
                                       "later=duplicate section is ignored\n");
    EXPECT_EQ(ini.value("main", "NAME"), "value with blanks");
    EXPECT_EQ(ini.value("Main", "quoted"), "  kept blanks ");
    EXPECT_EQ(ini.value("Main", "single"), "x");
    EXPECT_EQ(ini.value("Main", "mismatch"), "\"x'");
    EXPECT_EQ(ini.value("Main", "eq"), "a=b");
    EXPECT_FALSE(ini.value("Main", "; comment").has_value());
    EXPECT_FALSE(ini.value("Main", "no equals sign").has_value());
    EXPECT_FALSE(ini.value("Main", "later").has_value());
    EXPECT_FALSE(ini.value("", "orphan").has_value());
    EXPECT_EQ(ini.value("odd]name", "k"), "odd");
    EXPECT_TRUE(ini.hasSection("ODD]NAME"));
    EXPECT_FALSE(ini.hasSection("missing"));
}

TEST(IniFileRead, IntegersAndBooleans) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"42", 42},
        {"-1", -1},
        {"+5", 5},
        {"0x43", 67},
        {"0X4b", 75},
        {"0xFFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 7},
        {"0x100000000", 7},
        {"yes", 7},
        {"12abc", 7},
        {"", 7},
        {"0x", 7},
        {"1 2", 7},
        {"٣", 7},
        {"0x1g", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseProfileInteger(QString::fromUtf8(c.text), 7), c.expected) << c.text;

    const IniFile ini = IniFile::parse("[s]\nb2=2\nb0=0\nbyes=yes\nbhex=0x10\n");
    EXPECT_TRUE(ini.readBool("s", "b2", false));
    EXPECT_FALSE(ini.readBool("s", "b0", true));
    EXPECT_FALSE(ini.readBool("s", "byes", false));
    EXPECT_TRUE(ini.readBool("s", "byes", true));
    EXPECT_TRUE(ini.readBool("s", "bhex", false));
    EXPECT_EQ(ini.readInteger("s", "missing", 34), 34);
}

TEST(IniFileRead, LongValuesAreCut) {
    const QByteArray longValue(5000, 'x');
    const IniFile ini = IniFile::parse("[s]\nv=" + longValue + "\n");
    EXPECT_EQ(ini.readString("s", "v", {}).size(), IniFile::MaxValueLength);
}

TEST(IniFileRead, BinaryGarbageNeverBreaksTheParser) {
    QByteArray bytes(1 << 16, '\0');
    QRandomGenerator rng(1234);
    for (auto& b : bytes)
        b = static_cast<char>(rng.bounded(256));
    bytes.prepend("[HotKeys]\nCount=3\n");
    const IniFile ini = IniFile::parse(bytes);
    EXPECT_EQ(ini.readInteger("HotKeys", "Count", 0), 3);
    IniFile copy = ini;
    copy.writeInteger("HotKeys", "Count", 4);
    EXPECT_EQ(IniFile::parse(copy.toBytes()).readInteger("HotKeys", "Count", 0), 4);
}

TEST(IniFileWrite, ChangesOwnLineAppendsAfterLastKeyKeepsTheRest) {
    IniFile ini = IniFile::parse("; header comment\r\n"
                                 "[Other]\r\n"
                                 "x=1\r\n"
                                 "\r\n"
                                 "[HotKeys]\r\n"
                                 "count=1\r\n"
                                 "; about Key0\r\n"
                                 "Key0=65\r\n"
                                 "Key0=66\r\n"
                                 "\r\n"
                                 "; trailing comment\r\n");
    ini.writeInteger("HOTKEYS", "Count", 2);
    ini.writeInteger("HotKeys", "Key0", 67);
    ini.writeInteger("HotKeys", "Key1", 68);
    ini.writeString("New", "a", "b");
    EXPECT_EQ(ini.toBytes(), QByteArray("; header comment\r\n"
                                        "[Other]\r\n"
                                        "x=1\r\n"
                                        "\r\n"
                                        "[HotKeys]\r\n"
                                        "Count=2\r\n"
                                        "; about Key0\r\n"
                                        "Key0=67\r\n"
                                        "Key0=66\r\n"
                                        "Key1=68\r\n"
                                        "\r\n"
                                        "; trailing comment\r\n"
                                        "[New]\r\n"
                                        "a=b\r\n"));
}

TEST(IniFileWrite, EveryValueReadsBackAsWritten) {
    const QString values[] = {
        "plain",     "  leading", "trailing  ", "\"quoted\"", "'single'",
        "\"",        "'a\"",      "",           "a=b;c",      "C:\\Program Files\\x.exe",
        "ünïcödé ✓", "\t tab \t", "\"\"",
    };
    IniFile ini;
    int i = 0;
    for (const QString& v : values)
        ini.writeString("s", QString("k%1").arg(i++), v);
    const IniFile back = IniFile::parse(ini.toBytes());
    i = 0;
    for (const QString& v : values)
        EXPECT_EQ(back.readString("s", QString("k%1").arg(i++), "<missing>"), v) << v.toStdString();
}

TEST(IniFileWrite, LineBreaksInAValueCannotAddKeys) {
    IniFile ini;
    ini.writeString("HotKeys", "Path0", "evil\nCount=999\r\n[x]");
    const IniFile back = IniFile::parse(ini.toBytes());
    EXPECT_FALSE(back.value("HotKeys", "Count").has_value());
    EXPECT_FALSE(back.hasSection("x"));
    EXPECT_EQ(back.readString("HotKeys", "Path0", {}), "evil Count=999  [x]");
}

TEST(IniFileUpdate, KeepsWhatOthersAddedSinceTheLoad) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    ASSERT_TRUE(writeAll(path, "[A]\nk=1\n"));
    const IniFile loaded = IniFile::load(path);
    EXPECT_EQ(loaded.value("A", "k"), "1");
    ASSERT_TRUE(writeAll(path, "[A]\nk=1\nadded=yes\n; note\n[B]\nz=9\n"));
    ASSERT_TRUE(IniFile::update(path, [](IniFile& ini) { ini.writeInteger("A", "k", 2); }));
    EXPECT_EQ(readAll(path), "[A]\nk=2\nadded=yes\n; note\n[B]\nz=9\n");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() == 1)
        << "no temporary file is left behind";
}

TEST(IniFileUpdate, CreatesAMissingFileWithLineFeeds) {
    QTemporaryDir dir;
    const QString path = dir.filePath("new.ini");
    IniFile::LoadStatus status;
    IniFile::load(path, &status);
    EXPECT_EQ(status, IniFile::LoadStatus::Missing);
    ASSERT_TRUE(IniFile::update(path, [](IniFile& ini) { ini.writeInteger("S", "n", 1); }));
    EXPECT_EQ(readAll(path), "[S]\nn=1\n");
}

TEST(IniFileUpdate, AFileThatCannotBeReadIsNotReplaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Hotkeys.ini");
    ASSERT_TRUE(QDir().mkdir(path)); // a directory where the file should be
    EXPECT_FALSE(IniFile::update(path, [](IniFile& ini) { ini.writeInteger("S", "n", 1); }));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(IniFileUpdate, AnOversizedFileIsKeptAsBackup) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Hotkeys.ini");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(IniFile::MaxFileSize + 10));
    }
    IniFile::LoadStatus status;
    IniFile::load(path, &status);
    EXPECT_EQ(status, IniFile::LoadStatus::TooLarge);
    ASSERT_TRUE(IniFile::update(path, [](IniFile& ini) { ini.writeInteger("S", "n", 1); }));
    EXPECT_EQ(readAll(path), "[S]\nn=1\n");
    EXPECT_EQ(QFileInfo(path + ".bak").size(), IniFile::MaxFileSize + 10);
}
