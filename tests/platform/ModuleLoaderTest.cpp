// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/ModuleLoader.h"
#include "platform/Shell.h"
#include "platform/gio/GioModule.h"
#include "platform/linux/SoundModule.h"
#include "platform/xdg/XdgApplications.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <gtest/gtest.h>
#include <tuple>

namespace {
QStringList warnings;
void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && qstrcmp(context.category, "orvane.module") == 0)
        warnings << text;
}
} // namespace

// A module that is not there, or one without the entry asked for (another build's): the
// volume functions see a system without mixer devices, no application is installed, starts
// or is shown, and each module is tried and its failure logged once, with the file tried.
TEST(ModuleLoader, AnUnloadableModuleLeavesItsFeatureOut) {
    QLoggingCategory::setFilterRules(QStringLiteral("orvane.module.warning=true"));
    qInstallMessageHandler(recordWarning);
    const auto app = QStringLiteral("org.gnome.Calculator.desktop");
    // The module asked for the mixer driver, the one asked for GIO's calls, and whether
    // their files are there.
    for (const auto& [sound, gio, present] :
         {std::tuple{"orvane-missing", "orvane-missing", false},
          std::tuple{GioModule::Name, SoundModule::Name, true}}) {
        SCOPED_TRACE(sound);
        warnings.clear();
        ASSERT_EQ(QFileInfo::exists(ModuleLoader::PathOf(sound)), present);
        ASSERT_EQ(QFileInfo::exists(ModuleLoader::PathOf(gio)), present);
        const std::unique_ptr<MixerDriver> mixer = CreateModuleMixerDriver(sound);
        EXPECT_EQ(mixer->GetNumDevs(), 0U);
        MixerHandle handle = 0;
        EXPECT_EQ(mixer->Open(&handle, 0, nullptr, 0), Mixer::BadDeviceId);
        LoadedGioCalls(gio);
        const GioModule::Calls& calls = LoadedGioCalls(gio);
        EXPECT_FALSE(calls.installed(app));
        EXPECT_EQ(calls.launch(app), ShellResult::FileNotFound);
        EXPECT_TRUE(calls.shown().isEmpty());
        ASSERT_EQ(warnings.size(), 2) << warnings.join(u'\n').toStdString();
        EXPECT_TRUE(warnings[0].contains(ModuleLoader::PathOf(sound)));
        EXPECT_TRUE(warnings[1].contains(ModuleLoader::PathOf(gio)));
    }
    qInstallMessageHandler(nullptr);
}
