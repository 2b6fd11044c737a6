// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/XdgShell.h"

#include "platform/posix/DetachedProcess.h"
#include "platform/xdg/ShellTarget.h"
#include "platform/xdg/XdgApplications.h"

#include <QDir>
#include <QPointer>
#include <QTimer>
#include <cerrno>
#include <memory>
#include <sys/wait.h>
#include <utility>

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

QStringList searchPath() {
    return qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

// The shell code for xdg-open's wait status; -1 (status unknown) counts as success.
int openerResult(int waitStatus) {
    if (waitStatus == -1 || (WIFEXITED(waitStatus) && WEXITSTATUS(waitStatus) == 0))
        return ShellResult::Ok;
    // xdg-open's own codes: 2 a file that does not exist, 1 bad arguments, 3 no program to
    // open the target with, 4 that program failed.
    if (WIFEXITED(waitStatus) && WEXITSTATUS(waitStatus) == 2)
        return ShellResult::FileNotFound;
    return ShellResult::NoAssociation;
}

ShellPlan planFor(const QString& target, const QStringList& path) {
    // GIO is loaded only for a target that may name an application.
    return ShellTarget::Plan(target, path,
                             [](const QString& id) { return LoadedGioCalls().installed(id); });
}

} // namespace

XdgShell::XdgShell(std::chrono::milliseconds openerWait) : m_openerWait(openerWait) {}

int XdgShell::open(const QString& target) {
    const QStringList path = searchPath();
    const ShellPlan plan = planFor(target, path);
    switch (plan.kind) {
    case ShellPlan::Kind::Fail: return plan.failure;
    case ShellPlan::Kind::Launch: return LoadedGioCalls().launch(plan.argument);
    case ShellPlan::Kind::Run:
        return resultOfErrno(DetachedProcess::Start(plan.argument, plan.options));
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
    const QStringList path = searchPath();
    const ShellPlan plan = planFor(target, path);
    switch (plan.kind) {
    case ShellPlan::Kind::Run: return true;
    case ShellPlan::Kind::Launch: return LoadedGioCalls().installed(plan.argument);
    case ShellPlan::Kind::Open:
        return !ShellTarget::FindOnPath(QStringLiteral("xdg-open"), path).isEmpty();
    case ShellPlan::Kind::Fail: return false;
    }
    return false;
}

void XdgShell::openReporting(const QString& target, const Outcome& done) {
    // Answered by whichever comes first, xdg-open's end or the time limit; handed on from
    // the event loop, never from inside the reaping of a child.
    auto pending = std::make_shared<Outcome>(done);
    const QPointer<QObject> answers = &m_answers;
    const auto answer = [pending, answers](int code) {
        if (!answers || !*pending)
            return;
        QMetaObject::invokeMethod(
            answers.data(), [told = std::exchange(*pending, {}), code] { told(code); },
            Qt::QueuedConnection);
    };
    const QStringList path = searchPath();
    const ShellPlan plan = planFor(target, path);
    const QString opener = plan.kind == ShellPlan::Kind::Open
                               ? ShellTarget::FindOnPath(QStringLiteral("xdg-open"), path)
                               : QString();
    if (opener.isEmpty()) {
        answer(open(target));
        return;
    }
    const int started = resultOfErrno(DetachedProcess::Start(
        opener, {plan.argument}, nullptr, [answer](int status) { answer(openerResult(status)); }));
    if (started != ShellResult::Ok) {
        answer(started);
        return;
    }
    QTimer::singleShot(m_openerWait, &m_answers, [answer] { answer(ShellResult::Ok); });
}
