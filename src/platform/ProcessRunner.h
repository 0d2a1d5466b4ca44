// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a program left behind: its exit status (-1 when it crashed or ran out of time) and
// what it printed.
struct ProcessResult
{
    int status = -1;
    QByteArray output;
    QByteArray errors;
};

// Runs a program to completion. Throws FileError when it cannot be started; returns its exit
// status otherwise.
class ProcessRunner
{
public:
    virtual ~ProcessRunner() = default;
    virtual int run(const QString &program, const QStringList &arguments) = 0;
    // The same, keeping what the program prints, and ending it after `timeoutMs`.
    virtual ProcessResult capture(const QString &program, const QStringList &arguments, int timeoutMs)
    {
        Q_UNUSED(timeoutMs);
        ProcessResult result;
        result.status = run(program, arguments);
        return result;
    }
};
