// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsStore.h"
#include "FakeLogonEntry.h"
#include "TestFiles.h"
#include "settings/Autorun.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString data(const char* name) {
    return qEnvironmentVariable("ORVANE_TEST_DATA") + "/data/" + name;
}

struct KeyRow {
    Setting setting;
    const char* section;
    const char* key;
    int def;
    const char* stored; // a value in the file
    int loaded;         // what it loads as
};

// One row per setting: its place in the file, its default, and how an awkward stored value
// loads (clamped sliders, lists without a selection, booleans as integers, non-numbers).
const KeyRow kRows[] = {
    {Setting::EasyMove, "MainWindow", "EasyMove", 1, "0", 0},
    {Setting::MinimizeToTray, "MainWindow", "MinimizeToTray", 0, "2", 1},
    {Setting::MainTransparent, "MainWindow", "Transparent", 0, "yes", 0},
    {Setting::MainAlpha, "MainWindow", "Alpha", 10, "0", 2},
    {Setting::Properties, "MainWindow", "Properties", 1, "0x0", 0},
    {Setting::VolumeShow, "VolumeWindow", "Show", 1, "-1", 1},
    {Setting::VolumeStep, "VolumeWindow", "Step", 3, "12", -1},
    {Setting::VisibleTime, "VolumeWindow", "VisibleTime", 2, "5", 5},
    {Setting::VolumeTransparent, "VolumeWindow", "Transparent", 0, "1", 1},
    {Setting::VolumeAlpha, "VolumeWindow", "Alpha", 10, "15", 10},
    {Setting::CheckBoxes, "List", "CheckBoxes", 1, "", 1},
    {Setting::GridLines, "List", "GridLines", 0, "1", 1},
    {Setting::TrayVisible, "Tray", "Visible", 1, "0", 0},
    {Setting::TrayAnimate, "Tray", "Animate", 1, "no", 1},
    {Setting::Logo, "General", "Logo", 1, "0", 0},
    {Setting::Autorun, "General", "Autorun", 1, "0", 0},
    {Setting::Color, "General", "Color", 0, "9", -1},
    {Setting::Quality, "General", "Quality", 1, "2", 2},
};

QList<Setting> announced(const QSignalSpy& spy) {
    QList<Setting> seen;
    for (const QList<QVariant>& args : spy)
        seen << args[0].value<Setting>();
    return seen;
}

} // namespace

TEST(SettingsStore, EveryKeyHasItsPlaceDefaultAndReading) {
    ASSERT_EQ(std::size(kRows), size_t(SettingCount));
    QTemporaryDir dir;
    for (size_t i = 0; i < std::size(kRows); ++i) {
        const KeyRow& row = kRows[i];
        SCOPED_TRACE(row.key);
        const SettingDef& def = SettingsTable()[i];
        EXPECT_EQ(def.setting, row.setting); // file order
        EXPECT_STREQ(def.section, row.section);
        EXPECT_STREQ(def.key, row.key);

        SettingsStore fresh;
        EXPECT_EQ(fresh.value(row.setting), row.def);
        const QString path = dir.filePath(QString("%1.ini").arg(i));
        ASSERT_TRUE(writeAll(path, QByteArray("[") + row.section + "]\n" + row.key + "=" +
                                       row.stored + "\n"));
        fresh.Load(path);
        EXPECT_EQ(fresh.value(row.setting), row.loaded);
    }
}

TEST(SettingsStore, ALoadAnnouncesWhatMustBeAppliedInFileOrder) {
    QTemporaryDir dir;
    SettingsStore store;
    QSignalSpy spy(&store, &SettingsStore::changed);
    store.Load(dir.filePath("missing.ini"));
    // Defaults over defaults: only the lists, the menu item and the log-on entry apply.
    EXPECT_EQ(announced(spy),
              QList<Setting>({Setting::Properties, Setting::VolumeStep, Setting::VisibleTime,
                              Setting::Autorun, Setting::Color, Setting::Quality}));

    ASSERT_TRUE(writeAll(dir.filePath("s.ini"), "[General]\nAutorun=0\n[MainWindow]\nAlpha=7\n"));
    spy.clear();
    store.Load(dir.filePath("s.ini"));
    EXPECT_EQ(announced(spy),
              QList<Setting>({Setting::MainAlpha, Setting::Properties, Setting::VolumeStep,
                              Setting::VisibleTime, Setting::Autorun, Setting::Autorun,
                              Setting::Color, Setting::Quality}));
}

TEST(SettingsStore, SavesGoldenFilesAndKeepsWhatItDoesNotKnow) {
    QTemporaryDir dir;
    SettingsStore store;
    const QString fresh = dir.filePath("fresh.ini");
    EXPECT_FALSE(store.Save(fresh)); // nothing loaded: nothing to write
    EXPECT_FALSE(QFile::exists(fresh));
    store.Load(fresh);
    ASSERT_TRUE(store.Save(fresh));
    EXPECT_EQ(readAll(fresh).toStdString(), readAll(data("defaults.expected.ini")).toStdString());

    const QString user = dir.filePath("user.ini");
    ASSERT_TRUE(writeAll(user, readAll(data("user.input.ini"))));
    store.Load(user);
    ASSERT_TRUE(store.Save(user));
    EXPECT_EQ(readAll(user).toStdString(), readAll(data("user.expected.ini")).toStdString());
}

// A Settings.ini saved as big-endian Unicode is read, and written back as such with every key.
TEST(SettingsStore, AUnicodeFileIsReadAndSavedInItsEncoding) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Settings.ini");
    const auto utf16be = [](const QString& text) {
        QByteArray bytes = "\xFE\xFF";
        for (const QChar c : text) {
            bytes += static_cast<char>(c.unicode() >> 8);
            bytes += static_cast<char>(c.unicode() & 0xFF);
        }
        return bytes;
    };
    ASSERT_TRUE(writeAll(path, utf16be("; Einstellungen für Orvane ✓\n[General]\nColor=4\n")));
    SettingsStore store;
    store.Load(path);
    EXPECT_EQ(store.value(Setting::Color), 4);
    ASSERT_TRUE(store.Save(path));
    const QByteArray saved = readAll(path);
    EXPECT_TRUE(saved.startsWith(
        utf16be("; Einstellungen für Orvane ✓\n[General]\nColor=4\nLogo=1\nAutorun=1\nQuality=1\n"
                "[MainWindow]\nEasyMove=1\n")));
    SettingsStore again;
    again.Load(path);
    EXPECT_EQ(again.value(Setting::Color), 4);
}

TEST(SettingsStore, DefaultsComeBackWithoutTouchingTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    const QByteArray mine = "[General]\nColor=4\n";
    ASSERT_TRUE(writeAll(path, mine));
    SettingsStore store;
    store.Load(path);
    ASSERT_EQ(store.value(Setting::Color), 4);
    QSignalSpy spy(&store, &SettingsStore::changed);
    store.LoadDefaults();
    EXPECT_EQ(store.value(Setting::Color), 0);
    EXPECT_TRUE(announced(spy).contains(Setting::Color));
    EXPECT_EQ(readAll(path), mine);
}

TEST(SettingsStore, SetValueTakesWhatTheControlWouldAndAnnouncesOnlyChanges) {
    SettingsStore store;
    QSignalSpy spy(&store, &SettingsStore::changed);
    store.setValue(Setting::MainAlpha, 10);
    EXPECT_TRUE(spy.isEmpty());
    store.setValue(Setting::MainAlpha, 1);
    EXPECT_EQ(store.value(Setting::MainAlpha), 2);
    store.setValue(Setting::Quality, 3);
    EXPECT_EQ(store.value(Setting::Quality), -1);
    EXPECT_EQ(announced(spy), QList<Setting>({Setting::MainAlpha, Setting::Quality}));
}

TEST(SettingsTable, ListItemsGiveTheirStepsAndTimesInEveryLocale) {
    const int steps[] = {65, 131, 327, 655, 1310, 1966, 3276, 6553, 13107};
    const int times[] = {500, 1000, 2000, 3000, 4000, 5000};
    // A point and a comma as the user's decimal mark: the items mean the same in both.
    for (const QLocale& locale : {QLocale(QLocale::English), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        const std::string name = locale.name().toStdString();
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(VolumeStepUnits(i), steps[i]) << name << " " << i;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(VisibleTimeMs(i), times[i]) << name << " " << i;
    }
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(VolumeStepUnits(-1), -1);
    EXPECT_EQ(VisibleTimeMs(6), -1);
}

// Autorun stays on only while the entry is written; the user hears only of what they must fix.
TEST(Autorun, TheSettingFollowsWhatBecameOfTheEntry) {
    const QString named = QStringLiteral("Orvane cannot start when you log on: why");
    const QString unnamed = QString::fromUtf16(kNoLogonStart).arg(kUnnamedExecutable);
    const std::tuple<const char*, LogonWrite, QStringList, int, QString> rows[] = {
        {"/o/orvane", LogonWrite::Refused, {"write"}, 0, {}},
        {"/o/orvane", LogonWrite::Impossible, {"write"}, 0, named},
        {"", LogonWrite::Written, {}, 0, unnamed}}; // a path the system could not name
    for (const auto& [path, outcome, calls, autorun, expectedText] : rows) {
        SettingsStore settings;
        settings.setValue(Setting::Autorun, 1);
        FakeLogonEntry entry;
        entry.outcome = outcome;
        QString told;
        CheckBoxAutorunClick(settings, entry, path, [&](const QString& text) { told += text; });
        EXPECT_EQ(entry.calls, calls) << path;
        EXPECT_EQ(settings.value(Setting::Autorun), autorun) << path;
        EXPECT_EQ(told, expectedText) << path;
    }
}
