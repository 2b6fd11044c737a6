// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusArgument>

// A D-Bus structure streamed field by field, in the order its signature names them, so that
// one list of fields serves the writing and the reading of a type.
template <typename... Fields>
QDBusArgument& WriteStructure(QDBusArgument& arg, const Fields&... fields) {
    arg.beginStructure();
    (arg << ... << fields);
    arg.endStructure();
    return arg;
}

template <typename... Fields>
const QDBusArgument& ReadStructure(const QDBusArgument& arg, Fields&... fields) {
    arg.beginStructure();
    (arg >> ... >> fields);
    arg.endStructure();
    return arg;
}
