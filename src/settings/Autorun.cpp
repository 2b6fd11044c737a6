// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Autorun.h"

#include "core/Logging.h"

#include "platform/LogonEntry.h"
#include "settings/SettingsStore.h"

void CheckBoxAutorunClick(SettingsStore& settings, LogonEntry& entry, const QString& executablePath,
                          const std::function<void(const QString&)>& tellUser) {
    if (!settings.isOn(Setting::Autorun)) {
        if (!entry.remove())
            qCInfo(lcAutorun).noquote() << "log-on entry not removed:" << entry.error();
        return;
    }
    const LogonWrite outcome =
        executablePath.isEmpty() ? LogonWrite::Impossible : entry.write(executablePath);
    if (outcome == LogonWrite::Written)
        return;
    const QString why =
        executablePath.isEmpty() ? QString::fromUtf16(kUnnamedExecutable) : entry.error();
    qCInfo(lcAutorun).noquote() << "log-on entry not written:" << why;
    if (outcome == LogonWrite::Impossible && tellUser)
        tellUser(QString::fromUtf16(kNoLogonStart).arg(why));
    settings.setValue(Setting::Autorun, 0);
}
