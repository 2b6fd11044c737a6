// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/BuiltinFunctions.h"

const BuiltinFunction* FindBuiltin(const QString& target) {
    for (const BuiltinFunction& f : BuiltinFunctionTable) {
        if (target == QLatin1String(f.name))
            return &f;
    }
    return nullptr;
}

bool IsBuiltinTarget(const QString& target) {
    return FindBuiltin(target) != nullptr;
}

bool RepeatsWhileHeld(const QString& target) {
    const BuiltinFunction* f = FindBuiltin(target);
    return f && f->repeatsWhileHeld;
}

bool IsPauseTarget(const QString& target) {
    const BuiltinFunction* f = FindBuiltin(target);
    return f && f->action == BuiltinAction::TogglePause;
}
