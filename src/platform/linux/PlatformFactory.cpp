// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Platform.h"

Platform CreatePlatform() {
    return {CreateHotkeyBackend(),   CreateShell(),    CreateMixerDriver(),
            CreateWindowActivator(), CreateTrayHost(), CreateLogonEntry(),
            &CreateSessionEnd,       CreateNotifier(), CreateAppCatalog()};
}
