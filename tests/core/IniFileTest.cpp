// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/IniFile.h"
#include "TestFiles.h"
#include "core/HotkeyStore.h"
#include "core/HotkeyTable.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
        // only blanks and tabs around the number are skipped
        {" \t12\t ", 12},
        {"1\f", 7},
        {"\v1", 7},
        {"\u00a01", 7},
        {"1\u3000", 7},
        {"\r1", 7},
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

    const IniFile odd = IniFile::parse("[s]\nff=1\f\nquoted=\" 5 \"\n");
    EXPECT_EQ(odd.readInteger("s", "ff", 7), 7);
    EXPECT_EQ(odd.readInteger("s", "quoted", 7), 5);
}

TEST(IniFileRead, NamesAreTrimmedOfBlanksAndTabsOnly) {
    const IniFile ini = IniFile::parse("[s]\nk\f=formfeed\nk=plain\n");
    EXPECT_EQ(ini.value("s", "k"), "plain");
    EXPECT_EQ(ini.value("s", "k\f"), "formfeed");
    EXPECT_EQ(ini.value("s", " \tK\t "), "plain");
    EXPECT_EQ(ini.keyNames("s"), QStringList({"k\f", "k"}));
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

TEST(IniFileUpdate, AFifoIsNeitherReadNorReplaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Hotkeys.ini");
    const QByteArray native = QFile::encodeName(path);
    ASSERT_EQ(::mkfifo(native.constData(), 0600), 0);
    // A writer is present with text waiting, so that a load that opens the FIFO goes on
    // instead of waiting for one; a load that refuses the FIFO never reads it.
    const int reader = ::open(native.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const int writer = ::open(native.constData(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const char text[] = "[S]\nn=5\n";
    ASSERT_EQ(::write(writer, text, sizeof text - 1), static_cast<ssize_t>(sizeof text - 1));
    ::close(reader);

    IniFile::LoadStatus status;
    const IniFile ini = IniFile::load(path, &status);
    EXPECT_EQ(status, IniFile::LoadStatus::Unreadable);
    EXPECT_FALSE(ini.hasSection("S"));
    EXPECT_FALSE(IniFile::update(path, [](IniFile& i) { i.writeInteger("S", "n", 1); }));
    ::close(writer);
    struct stat st {};
    ASSERT_EQ(::lstat(native.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO was replaced";
}

// Windows-1252 bytes 0x80..0x9F, the five it leaves undefined kept as the C1 controls.
TEST(IniFileEncoding, AnsiFileKeepsEveryCharacter) {
    const struct {
        const char* bytes;
        const char16_t* text;
    } cases[] = {
        {"M\xFCller", u"Müller"},
        {"\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E",
         u"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"},
        {"\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F",
         u"\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178"},
        {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
        {"\xA0\xC3\xA9\xFF", u"\u00A0\u00C3\u00A9\u00FF"},
    };
    for (const auto& c : cases) {
        const QByteArray file = QByteArray("[s]\nv=") + c.bytes + "\n";
        IniFile ini = IniFile::parse(file);
        EXPECT_EQ(ini.encoding(), IniFile::Encoding::Windows1252) << c.bytes;
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(ini.value("s", "v"), text) << c.bytes;
        ini.writeString("s", "v", text); // unchanged: the line stays as it was
        ini.writeString("s", "v2", text);
        EXPECT_EQ(ini.toBytes(), file + "v2=" + c.bytes + "\n") << c.bytes;
    }
}

TEST(IniFileEncoding, UnchangedValuesKeepTheirBytes) {
    const QByteArray file = "[s]\r\nquoted =  \" x \"  \r\nnum=0x10\r\n";
    IniFile ini = IniFile::parse(file);
    ini.writeString("s", "Quoted", " x ");
    ini.writeString("s", "num", "0x10");
    EXPECT_EQ(ini.toBytes(), file);
    ini.writeInteger("s", "num", 16);
    EXPECT_EQ(ini.toBytes(), "[s]\r\nquoted =  \" x \"  \r\nnum=16\r\n");
}

TEST(IniFileEncoding, AValueAnsiCannotHoldTurnsTheFileIntoUtf8) {
    IniFile ini = IniFile::parse("; Gr\xFC\xDF\x65\n[s]\na=\x80\n[M\xFC]\nb=1\n");
    ASSERT_EQ(ini.encoding(), IniFile::Encoding::Windows1252);
    ini.writeString("s", "c", "✓ and é");
    const QByteArray bytes = ini.toBytes();
    EXPECT_EQ(bytes, "; Grüße\n[s]\na=€\nc=✓ and é\n[Mü]\nb=1\n");
    const IniFile back = IniFile::parse(bytes);
    EXPECT_EQ(back.encoding(), IniFile::Encoding::Utf8);
    EXPECT_EQ(back.value("s", "a"), "€");
    EXPECT_EQ(back.value("Mü", "b"), "1");
}

TEST(IniFileEncoding, AnAnsiFileThatWouldLookLikeUtf8IsWrittenAsUtf8) {
    // "\xC3\xA9" is "Ã©" in the ANSI file; once the only byte that is not UTF-8 is gone, the
    // file would read back as "é" unless it is written in UTF-8.
    IniFile ini = IniFile::parse("[s]\na=\xFC\nb=\xC3\xA9\n");
    ASSERT_EQ(ini.value("s", "b"), "Ã©");
    ini.writeString("s", "a", "u");
    const IniFile back = IniFile::parse(ini.toBytes());
    EXPECT_EQ(back.value("s", "a"), "u");
    EXPECT_EQ(back.value("s", "b"), "Ã©");
}

TEST(IniFileEncoding, ByteOrderMarkIsNoPartOfTheFirstLine) {
    const QByteArray bom = "\xEF\xBB\xBF";
    for (const QByteArray& file : {bom + "[HotKeys]\nCount=2\n", bom + "[HotKeys]\r\nCount=2",
                                   bom + "[HotKeys]\nCount=2\nPath0=\xE2\x9C\x93\n",
                                   bom + "[HotKeys]\nCount=2\nPath0=\xFC\n"}) {
        IniFile ini = IniFile::parse(file);
        EXPECT_TRUE(ini.hasSection("HotKeys")) << file.toHex().constData();
        EXPECT_EQ(ini.readInteger("HotKeys", "Count", 0), 2) << file.toHex().constData();
        ini.writeInteger("HotKeys", "Count", 3);
        const QByteArray out = ini.toBytes();
        EXPECT_TRUE(out.startsWith(bom + "[HotKeys]")) << out.constData();
        EXPECT_EQ(out.count("[HotKeys]"), 1) << out.constData();
        EXPECT_EQ(IniFile::parse(out).value("HotKeys", "Path0"), ini.value("HotKeys", "Path0"));
    }
    // Elsewhere the mark is an ordinary character.
    IniFile ini = IniFile::parse("[s]\nv=\xEF\xBB\xBFx\n");
    EXPECT_EQ(ini.value("s", "v"), QChar(0xFEFF) + QString("x"));
}

namespace {

struct Utf16Row {
    const char* name;
    bool bigEndian;
    const char* eol;
};

// Text as Notepad saves it "Unicode": a mark, then UTF-16 code units, lines ending in eol.
struct IniFileUtf16 : ::testing::TestWithParam<Utf16Row> {
    QByteArray file(const QStringList& lines) const {
        const QString text = lines.join(GetParam().eol) + GetParam().eol;
        QByteArray bytes = GetParam().bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const QChar c : text) {
            const char hi = static_cast<char>(c.unicode() >> 8);
            const char lo = static_cast<char>(c.unicode() & 0xFF);
            bytes += GetParam().bigEndian ? hi : lo;
            bytes += GetParam().bigEndian ? lo : hi;
        }
        return bytes;
    }
};

const QString kLoneSurrogate = QString(QChar(0xD83D));

} // namespace

TEST_P(IniFileUtf16, ReadsAndWritesBackInItsOwnEncoding) {
    const QString text = "Grüße ✓ 😀";
    const QByteArray bytes = file({"; saved as Unicode", "[HotKeys]", "Count=2", "Path0=" + text,
                                   "Path1=x" + kLoneSurrogate + "y", "", "[Other]", "k=v"});
    IniFile ini = IniFile::parse(bytes);
    EXPECT_EQ(ini.readInteger("HotKeys", "Count", 0), 2);
    EXPECT_EQ(ini.value("hotkeys", "PATH0"), text);
    EXPECT_EQ(ini.value("HotKeys", "Path1"), "x" + kLoneSurrogate + "y");
    EXPECT_EQ(ini.sectionNames(), QStringList({"HotKeys", "Other"}));
    ini.writeString("HotKeys", "Path1", "x" + kLoneSurrogate + "y"); // unchanged
    EXPECT_EQ(ini.toBytes(), bytes);

    ini.writeInteger("HotKeys", "Count", 3);
    ini.writeString("HotKeys", "Path2", "Ünï " + kLoneSurrogate);
    ini.writeString("Néw ✓", "k", "😀");
    EXPECT_EQ(ini.toBytes(), file({"; saved as Unicode", "[HotKeys]", "Count=3", "Path0=" + text,
                                   "Path1=x" + kLoneSurrogate + "y", "Path2=Ünï " + kLoneSurrogate,
                                   "", "[Other]", "k=v", "[Néw ✓]", "k=😀"}));
}

TEST_P(IniFileUtf16, AnOddLastByteAndAnUnendedLastLineStay) {
    QByteArray bytes = file({"[s]", "k=1"});
    bytes.chop(QByteArray(GetParam().eol).size() * 2);
    bytes += '\x7F';
    IniFile ini = IniFile::parse(bytes);
    EXPECT_EQ(ini.value("s", "k"), "1");
    EXPECT_EQ(ini.toBytes(), bytes);
    ini.writeInteger("s", "n", 2);
    QByteArray expected = file({"[s]", "k=1", "n=2"});
    EXPECT_EQ(ini.toBytes(), expected + '\x7F');
}

INSTANTIATE_TEST_SUITE_P(Marks, IniFileUtf16,
                         ::testing::Values(Utf16Row{"LittleEndianLF", false, "\n"},
                                           Utf16Row{"LittleEndianCRLF", false, "\r\n"},
                                           Utf16Row{"BigEndianLF", true, "\n"},
                                           Utf16Row{"BigEndianCRLF", true, "\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A Hotkeys.ini that Notepad saved as Unicode: the table comes from it, and the save
// keeps it UTF-16 with its comment, instead of appending a UTF-8 section to it.
TEST(IniFileUtf16Store, AUnicodeHotkeysFileIsLoadedAndSavedAsUnicode) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Hotkeys.ini");
    const QString text = "; mine\r\n[HotKeys]\r\nCount=1\r\nKey0=67\r\nChecked0=1\r\n"
                         "Path0=C:\\Tools\\Rechner ✓.exe\r\n";
    const auto utf16 = [](const QString& t) {
        return "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(t.utf16()), t.size() * 2);
    };
    ASSERT_TRUE(writeAll(path, utf16(text)));
    HotkeyTable table;
    table.appendMany(DefaultHotkeyTable());
    HotkeyStore::Load(table, path, [] { return QString(); });
    ASSERT_EQ(table.count(), 1);
    EXPECT_EQ(table.at(0).Execute, "C:\\Tools\\Rechner ✓.exe");
    EXPECT_EQ(table.at(0).Key, "C");

    HotkeyEntry changed = table.at(0);
    changed.Execute = "gnome-calculator";
    table.replace(0, changed);
    ASSERT_TRUE(HotkeyStore::Save(table, path));
    EXPECT_EQ(readAll(path),
              utf16("; mine\r\n[HotKeys]\r\nCount=1\r\nKey0=67\r\nChecked0=1\r\n"
                    "Path0=gnome-calculator\r\nImage0=34\r\nAlt0=1\r\nCtrl0=1\r\nShift0=0\r\n"));
}

// Written lines are kept beside the file's text until they outgrow it; then the document
// starts over from its text, so that a value written again and again cannot grow it.
TEST(IniFileFootprintOverTime, RewritingAValueDoesNotGrowTheDocument) {
    IniFile ini = IniFile::parse("; kept\r\n[s]\r\na=1\r\n[t]\r\nb=2\r\n");
    constexpr qsizetype kValueSize = qsizetype{64} * 1024;
    for (int i = 0; i < 100; ++i)
        ini.writeString("s", "a", QString(kValueSize, QChar('a' + i % 26)));
    ini.writeInteger("t", "c", 3);
    const QByteArray bytes = ini.toBytes();
    EXPECT_LE(ini.footprint(), 4 * bytes.size());
    EXPECT_EQ(bytes, "; kept\r\n[s]\r\na=" + QByteArray(kValueSize, 'a' + 99 % 26) +
                         "\r\n[t]\r\nb=2\r\nc=3\r\n");
}

namespace {

struct ShapeRow {
    const char* name;
    QByteArray (*line)(int i);
};

} // namespace

// Lines are offsets into the file's one buffer and sections index their keys only when
// looked up, so a large file costs a few times its size, however short its lines.
class IniFileFootprint : public ::testing::TestWithParam<ShapeRow> {};

TEST_P(IniFileFootprint, ALargeFileCostsAFewTimesItsSize) {
    QByteArray bytes = "[HotKeys]\nCount=1\n";
    for (int i = 0; bytes.size() < (1 << 20); ++i)
        bytes += GetParam().line(i);
    bytes += "[Last]\nk=v\n";
    bytes.squeeze(); // as a file is read: no room to grow
    IniFile ini = IniFile::parse(bytes);
    ASSERT_EQ(ini.readInteger("HotKeys", "Count", 0), 1);
    ASSERT_EQ(ini.value("Last", "k"), "v");
    for (int i = 0; i < 100; ++i)
        ini.writeInteger("HotKeys", QString("Key%1").arg(i), i);
    EXPECT_LE(ini.footprint(), 4 * bytes.size());
    EXPECT_EQ(IniFile::parse(ini.toBytes()).readInteger("HotKeys", "Key99", 0), 99);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, IniFileFootprint,
    ::testing::Values(
        ShapeRow{"ShortSections", [](int i) { return "[" + QByteArray::number(i, 36) + "]\n"; }},
        ShapeRow{"ShortKeys", [](int i) { return QByteArray::number(i, 36) + "=\n"; }},
        ShapeRow{"BlankLines", [](int) { return QByteArray("\n"); }},
        ShapeRow{"SameSection", [](int) { return QByteArray("[s]\na=1\n"); }}),
    [](const auto& info) { return std::string(info.param.name); });
