// SPDX-License-Identifier: GPL-3.0-or-later
#include "XdgShell.h"

#include "DetachedProcess.h"
#include "ShellTarget.h"

#include <QDir>
#include <cerrno>

std::unique_ptr<Shell> CreateShell() {
    return std::make_unique<XdgShell>();
}

namespace {

int resultOfErrno(int e) {
    switch (e) {
    case 0: return ShellResult::Ok;
    case ENOENT: return ShellResult::FileNotFound;
    case ENOTDIR: return ShellResult::PathNotFound;
    case EACCES:
    case EPERM: return ShellResult::AccessDenied;
    case ENOEXEC:
    case ELIBBAD: return ShellResult::BadFormat;
    default: return ShellResult::OutOfResources;
    }
}

} // namespace

int XdgShell::open(const QString& target) {
    const QStringList path =
        qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    const ShellPlan plan = ShellTarget::Plan(target, path);
    switch (plan.kind) {
    case ShellPlan::Kind::Fail: return plan.failure;
    case ShellPlan::Kind::Run: return resultOfErrno(DetachedProcess::Start(plan.argument, {}));
    case ShellPlan::Kind::Open: {
        const QString opener = ShellTarget::FindOnPath(QStringLiteral("xdg-open"), path);
        if (opener.isEmpty())
            return ShellResult::NoAssociation;
        return resultOfErrno(DetachedProcess::Start(opener, {plan.argument}));
    }
    }
    return ShellResult::OutOfResources;
}

bool XdgShell::resolves(const QString& target) {
    const QStringList path =
        qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    switch (ShellTarget::Plan(target, path).kind) {
    case ShellPlan::Kind::Run: return true;
    case ShellPlan::Kind::Open:
        return !ShellTarget::FindOnPath(QStringLiteral("xdg-open"), path).isEmpty();
    case ShellPlan::Kind::Fail: return false;
    }
    return false;
}
