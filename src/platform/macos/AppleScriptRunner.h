// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Compiles and runs an AppleScript source (macOS only). Returns the text of the error
// information when the run failed, nothing when it ran (or no script object could be made).
class AppleScriptRunner
{
public:
    virtual ~AppleScriptRunner() = default;
    virtual std::optional<QString> run(const QString &source) = 0;
};
