// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFixture.h"
#include "mainwindow/MainWindowMenus.h"
#include "tray/TrayMenu.h"

#include <QTest>
#include <QTimer>
#include <functional>
#include <future>

namespace {
QImage Picture(const QIcon& icon) {
    return icon.pixmap(QSize(16, 16)).toImage();
}
} // namespace

TEST_F(ProgramFixture, PauseFromEitherMenuReleasesTheGrabsAndTheTrayShowsIt) {
    start({"hide"});
    const auto taken = backend->registered;
    ASSERT_FALSE(taken.empty());
    ASSERT_TRUE(parts().CoolTrayIcon1.AnimationTimer()->isActive());
    QAction* trayItem = parts().PopupMenuTray.Pausehotkeys1;
    QAction* menuItem = parts().Form1.Menus->Pausehotkeys1;

    trayItem->trigger();
    EXPECT_TRUE(parts().Pause.paused());
    EXPECT_TRUE(backend->registered.empty()) << "the default table has no way back";
    EXPECT_TRUE(menuItem->isChecked());
    EXPECT_EQ(tray->tip, "Orvane (paused)");
    EXPECT_FALSE(parts().CoolTrayIcon1.AnimationTimer()->isActive());
    EXPECT_EQ(Picture(tray->icon), Picture(PausedTrayIcon()));
    EXPECT_NE(Picture(tray->icon), Picture(ImageListTray().at(4)));
    // The animation setting is taken up at the resume, not during the pause.
    parts().Settings.setValue(Setting::TrayAnimate, 0);
    parts().Settings.setValue(Setting::TrayAnimate, 1);
    EXPECT_FALSE(parts().CoolTrayIcon1.AnimationTimer()->isActive());

    menuItem->trigger();
    EXPECT_FALSE(parts().Pause.paused());
    EXPECT_FALSE(trayItem->isChecked());
    EXPECT_EQ(backend->registered.size(), taken.size());
    EXPECT_EQ(tray->tip, "Orvane");
    EXPECT_TRUE(parts().CoolTrayIcon1.AnimationTimer()->isActive());
}

namespace {
// A later start's request, the answer it gets and what the running program did.
struct RequestRow {
    const char* name;
    ControlRequest::Request request;
    const char* error;
    std::function<bool(ProgramFixture&)> done;
};

class LaterStartAsks : public ProgramFixture, public ::testing::WithParamInterface<RequestRow> {
protected:
    // Asked from another thread, as another process would: the program answers from its
    // event loop, which runs here meanwhile.
    std::optional<QString> ask(const ControlRequest::Request& request) {
        auto answer = std::async(std::launch::async, [this, request] {
            SingleInstance later(Lifecycle::InstanceName(), dir.path());
            return later.ask(request);
        });
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
        return answer.get();
    }
};
} // namespace

TEST_P(LaterStartAsks, AndTheRunningProgramAnswers) {
    const RequestRow& row = GetParam();
    start({"hide"});
    ASSERT_FALSE(parts().Form1.isVisible());
    // A request that is done must change something; a refused one must leave all as it is.
    if (*row.error == '\0') {
        ASSERT_FALSE(row.done(*this));
    }
    EXPECT_EQ(ask(row.request), QString::fromUtf8(row.error));
    EXPECT_TRUE(row.done(*this));
}

using Kind = ControlRequest::Kind;
INSTANTIATE_TEST_SUITE_P(
    Rows, LaterStartAsks,
    ::testing::Values(RequestRow{"RunATarget",
                                 {Kind::Run, 3},
                                 "",
                                 [](ProgramFixture& f) {
                                     return f.shell->opened == QStringList{"calc.exe"};
                                 }},
                      RequestRow{"RunABuiltin",
                                 {Kind::Run, 12},
                                 "",
                                 [](ProgramFixture& f) { return f.parts().Form1.isVisible(); }},
                      RequestRow{"RunAMissingEntry",
                                 {Kind::Run, 99},
                                 "Orvane has no entry with ID 99",
                                 [](ProgramFixture& f) { return f.shell->opened.isEmpty(); }},
                      RequestRow{"Pause",
                                 {Kind::Pause, 0},
                                 "",
                                 [](ProgramFixture& f) { return f.parts().Pause.paused(); }},
                      RequestRow{"TogglePause",
                                 {Kind::TogglePause, 0},
                                 "",
                                 [](ProgramFixture& f) { return f.parts().Pause.paused(); }},
                      RequestRow{"Show",
                                 {Kind::Show, 0},
                                 "",
                                 [](ProgramFixture& f) { return f.parts().Form1.isVisible(); }}),
    [](const auto& info) { return std::string(info.param.name); });
