// SPDX-License-Identifier: GPL-3.0-or-later
#include "Autorun.h"

#include "LogonEntry.h"
#include "SettingsStore.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcAutorun, "orvane.autorun", QtWarningMsg)

void CheckBoxAutorunClick(SettingsStore& settings, LogonEntry& entry,
                          const QString& executablePath) {
    const bool on = settings.isOn(Setting::Autorun);
    if (on ? entry.write(executablePath) : entry.remove())
        return;
    qCInfo(lcAutorun).noquote() << (on ? "log-on entry not written:" : "log-on entry not removed:")
                                << entry.error();
    settings.setValue(Setting::Autorun, 0);
}
