#include "TForm1.h"
#include "CommandLine.h"
#include "FakeHotkeyBackend.h"
#include "FakeShell.h"
#include "HotkeyRegistration.h"
#include "MessageBox.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

QStringList g_messages;
void recordMessage(QWidget*, const QString& text) {
    g_messages << text;
}

struct FormFixture : ::testing::Test {
    QTemporaryDir dir;
    FakeHotkeyBackend* backend = new FakeHotkeyBackend;
    FakeShell* shell = new FakeShell;
    std::unique_ptr<TForm1> form;
    QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");

    void SetUp() override {
        g_messages.clear();
        SetMessageHook(recordMessage);
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
        form = std::make_unique<TForm1>(std::unique_ptr<HotkeyBackend>(backend),
                                        std::unique_ptr<Shell>(shell));
    }
    void TearDown() override {
        form.reset();
        SetMessageHook(nullptr);
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
    }
    QString iniPath() const { return dir.filePath("Hotkeys.ini"); }
    void start(const QStringList& args = {}) {
        QSignalSpy started(form.get(), &TForm1::started);
        const QString cmd = CommandLine::Rebuild(QCoreApplication::applicationFilePath(), args);
        ASSERT_EQ(form->FormCreate(cmd, dir.path()), TForm1::CreateOutcome::Created);
        ASSERT_TRUE(started.wait(5000));
    }
};

} // namespace

TEST_F(FormFixture, PlainStartLoadsRegistersAndShows) {
    start();
    EXPECT_EQ(form->windowTitle(), "Orvane");
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Hotkeys->count(), 20);
    EXPECT_EQ(backend->registered.size(), 20u);
    EXPECT_EQ(form->Hotkeys->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Execute");
    EXPECT_EQ(form->ListView1->header()->sectionSize(0), 160);
    EXPECT_TRUE(form->ListView1->header()->isSectionHidden(4));
    EXPECT_DOUBLE_EQ(form->VolumeStep, 655.35);
}

TEST_F(FormFixture, BackgroundStartStaysHidden) {
    start({"hide"});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(backend->registered.size(), 20u);
}

TEST_F(FormFixture, CloseOnlyHidesAndSavesNothing) {
    start();
    EXPECT_FALSE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(QFile::exists(iniPath()));
    EXPECT_EQ(backend->registered.size(), 20u);
}

TEST_F(FormFixture, ExitReleasesEverythingAndSaves) {
    start();
    form->Exit1Click();
    EXPECT_TRUE(form->exitFlag());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(backend->registered.empty());
    ASSERT_TRUE(QFile::exists(iniPath()));
    QFile f(iniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("[HotKeys]\nCount=20\nKey0=69\n"));
}

TEST_F(FormFixture, HotkeyPressRunsItsTargetAndShowHideToggles) {
    start();
    backend->press(3);
    EXPECT_EQ(shell->opened, QStringList({"calc.exe"}));
    backend->press(12); // "Show/Hide Application"
    EXPECT_FALSE(form->isVisible());
    backend->press(12);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(g_messages.isEmpty());
}

TEST_F(FormFixture, RowCheckBoxEnablesAndDisablesAtOnce) {
    start();
    HotkeyTable* t = form->Hotkeys;
    ASSERT_TRUE(t->setData(t->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(t->at(0).Checked);
    EXPECT_EQ(backend->registered.count(1), 0u);
    ASSERT_TRUE(t->setData(t->index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(t->at(0).Checked);
    EXPECT_EQ(backend->registered.count(1), 1u);
}

TEST_F(FormFixture, LoadedFileReplacesTheDefaultTable) {
    QFile f(iniPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[HotKeys]\nCount=2\nKey0=67\nChecked0=1\nKey1=67\nChecked1=1\n");
    f.close();
    start();
    ASSERT_EQ(form->Hotkeys->count(), 2);
    EXPECT_TRUE(form->Hotkeys->at(0).Checked);
    EXPECT_FALSE(form->Hotkeys->at(1).Checked); // same combination: refused, disabled
}

TEST_F(FormFixture, AnEndBeforeTheStartUpLoadLeavesTheFilesAlone) {
    const QByteArray mine = "[HotKeys]\nCount=1\nKey0=75\nChecked0=1\nPath0=mine\n";
    ASSERT_TRUE(writeAll(iniPath(), mine));
    const QString cmd = CommandLine::Rebuild(QCoreApplication::applicationFilePath(), {});
    ASSERT_EQ(form->FormCreate(cmd, dir.path()), TForm1::CreateOutcome::Created);
    ASSERT_EQ(form->Hotkeys->count(), 20); // still the default table: nothing loaded yet
    form->EndingNow();
    form->Exit1Click();
    EXPECT_EQ(readAll(iniPath()), mine);
    EXPECT_FALSE(QFile::exists(dir.filePath("Settings.ini")));
}

TEST_F(FormFixture, AnEndWithoutTheEventLoopSavesWhatChanged) {
    ASSERT_TRUE(writeAll(iniPath(), "[HotKeys]\nCount=1\nKey0=75\nChecked0=1\nPath0=mine\n"));
    start();
    HotkeyTable* t = form->Hotkeys;
    ASSERT_TRUE(t->setData(t->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    form->EndingNow();
    EXPECT_TRUE(readAll(iniPath()).contains("Checked0=0\n"));
}

TEST_F(FormFixture, WithoutADisplayEntriesKeepTheirStateAndTheUserIsToldOnce) {
    backend->noDisplay = true;
    ASSERT_TRUE(writeAll(iniPath(), "[HotKeys]\nCount=2\nKey0=75\nChecked0=1\nPath0=a\n"
                                    "Key1=74\nChecked1=0\nPath1=b\n"));
    start();
    QCoreApplication::processEvents();
    EXPECT_EQ(g_messages, QStringList{HotkeyRegistration::kNoDisplay});
    EXPECT_TRUE(form->Hotkeys->at(0).Checked);
    EXPECT_FALSE(form->Hotkeys->at(1).Checked);
    // Enabling one through its check box says why it cannot work, and keeps it enabled.
    HotkeyTable* t = form->Hotkeys;
    ASSERT_TRUE(t->setData(t->index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(g_messages.size(), 2);
    EXPECT_EQ(g_messages.last(), HotkeyRegistration::kNoDisplay);
    form->Exit1Click();
    const QByteArray saved = readAll(iniPath());
    EXPECT_TRUE(saved.contains("Checked0=1\n"));
    EXPECT_TRUE(saved.contains("Checked1=1\n"));
}

TEST_F(FormFixture, AStartThatCannotTakeTheLockSaysWhyAndEnds) {
    QLockFile heldElsewhere(dir.filePath("Orvane 2.lock")); // a live owner that never answers
    ASSERT_TRUE(heldElsewhere.tryLock(0));
    const QString cmd = CommandLine::Rebuild(QCoreApplication::applicationFilePath(), {});
    EXPECT_EQ(form->FormCreate(cmd, dir.path(), {dir.path(), {}}), TForm1::CreateOutcome::Failed);
    ASSERT_EQ(g_messages.size(), 1);
    EXPECT_TRUE(g_messages[0].contains("does not answer"));

    g_messages.clear();
    EXPECT_EQ(form->FormCreate(cmd, dir.path(), {{}, "no private folder"}),
              TForm1::CreateOutcome::Failed);
    ASSERT_EQ(g_messages.size(), 1);
    EXPECT_TRUE(g_messages[0].contains("no private folder"));
}
