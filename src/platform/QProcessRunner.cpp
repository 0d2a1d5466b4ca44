// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QProcessRunner.h"

#include "models/AppError.h"

#include <QCoreApplication>
#include <QProcess>

int QProcessRunner::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        throw FileError(QCoreApplication::translate("QProcessRunner", "Could not run %1: %2").arg(program, process.errorString()));
    process.waitForFinished(-1);
    if (process.exitStatus() == QProcess::CrashExit)
        return -1;
    return process.exitCode();
}

ProcessResult QProcessRunner::capture(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        throw FileError(QCoreApplication::translate("QProcessRunner", "Could not run %1: %2").arg(program, process.errorString()));
    ProcessResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(2000);
    } else if (process.exitStatus() == QProcess::NormalExit) {
        result.status = process.exitCode();
    }
    result.output = process.readAllStandardOutput();
    result.errors = process.readAllStandardError();
    return result;
}
