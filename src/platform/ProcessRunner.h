// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Runs a program to completion. Throws FileError when it cannot be started; returns its exit
// status otherwise.
class ProcessRunner
{
public:
    virtual ~ProcessRunner() = default;
    virtual int run(const QString &program, const QStringList &arguments) = 0;
};
