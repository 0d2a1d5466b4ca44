// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProcessRunner.h"

class QProcessRunner : public ProcessRunner
{
public:
    int run(const QString &program, const QStringList &arguments) override;
    ProcessResult capture(const QString &program, const QStringList &arguments, int timeoutMs) override;
};
