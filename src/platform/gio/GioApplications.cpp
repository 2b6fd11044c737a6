// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gio/GioApplications.h"

#include "core/Logging.h"
#include "platform/Shell.h"

#include <QFile>
#include <algorithm>
#include <csignal>
#include <memory>
#include <unistd.h>

// GLib names a structure member "signals", which Qt's keyword would turn into something
// else; nothing below uses Qt's keywords.
#undef signals
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace GioApplications {
namespace {

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using DesktopInfo = std::unique_ptr<GDesktopAppInfo, Unref>;

DesktopInfo entryFor(const QString& entry) {
    if (entry.startsWith(QLatin1Char('/')))
        return DesktopInfo(
            g_desktop_app_info_new_from_filename(QFile::encodeName(entry).constData()));
    return DesktopInfo(g_desktop_app_info_new(entry.toUtf8().constData()));
}

// Runs in the started program before it is executed: what DetachedProcess gives the
// programs it starts. GLib itself closes every descriptor above standard error.
void likeOtherTargets(gpointer) {
    setsid();
    for (int sig : {SIGTERM, SIGINT, SIGPIPE, SIGCHLD, SIGHUP})
        signal(sig, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

int resultOf(const GError* error) {
    if (error->domain != G_SPAWN_ERROR)
        return ShellResult::NoAssociation;
    switch (error->code) {
    case G_SPAWN_ERROR_NOENT: return ShellResult::FileNotFound;
    case G_SPAWN_ERROR_NOTDIR: return ShellResult::PathNotFound;
    case G_SPAWN_ERROR_ACCES:
    case G_SPAWN_ERROR_PERM: return ShellResult::AccessDenied;
    case G_SPAWN_ERROR_NOEXEC:
    case G_SPAWN_ERROR_LIBBAD: return ShellResult::BadFormat;
    default: return ShellResult::OutOfResources;
    }
}

} // namespace

bool Installed(const QString& entry) {
    return entryFor(entry) != nullptr;
}

int Launch(const QString& entry) {
    // GIO gives no entry for a file that is missing, unreadable or not a desktop entry, nor
    // for one whose program is not installed.
    const DesktopInfo info = entryFor(entry);
    if (!info) {
        qCWarning(lcShell) << "no application to start for" << entry;
        return ShellResult::FileNotFound;
    }
    const std::unique_ptr<GAppLaunchContext, Unref> context(g_app_launch_context_new());
    const auto flags = static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDIN_FROM_DEV_NULL);
    GError* error = nullptr;
    if (g_desktop_app_info_launch_uris_as_manager(info.get(), nullptr, context.get(), flags,
                                                  likeOtherTargets, nullptr, nullptr, nullptr,
                                                  &error))
        return ShellResult::Ok;
    const int code = resultOf(error);
    qCWarning(lcShell) << "could not start" << entry << ":" << error->message;
    g_error_free(error);
    return code;
}

QList<InstalledApplication> Shown() {
    QList<InstalledApplication> shown;
    GList* all = g_app_info_get_all();
    for (GList* item = all; item; item = item->next) {
        auto* app = static_cast<GAppInfo*>(item->data);
        const char* id = g_app_info_get_id(app);
        if (!id || !g_app_info_should_show(app))
            continue;
        QString icon;
        if (GIcon* gicon = g_app_info_get_icon(app)) {
            gchar* text = g_icon_to_string(gicon);
            icon = QString::fromUtf8(text);
            g_free(text);
        }
        shown.append(
            {QString::fromUtf8(id), QString::fromUtf8(g_app_info_get_display_name(app)), icon});
    }
    g_list_free_full(all, g_object_unref);
    std::sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return shown;
}

} // namespace GioApplications
