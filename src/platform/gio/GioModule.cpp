// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gio/GioModule.h"

#include "platform/gio/GioApplications.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT const GioModule::Calls* orvane_gio_calls() {
    static_assert(std::is_same_v<decltype(&orvane_gio_calls), GioModule::EntryFunction>);
    static constexpr GioModule::Calls calls{&GioApplications::Installed, &GioApplications::Launch,
                                            &GioApplications::Shown};
    return &calls;
}
