// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LoginItemBackend.h"

#include <QString>

class ProcessRunner;

// The macOS launch agent ~/Library/LaunchAgents/app.lumivane.plist, loaded and unloaded with
// launchctl (whose exit status is ignored). Written portably so it is tested everywhere.
class LaunchAgentBackend : public LoginItemBackend
{
public:
    LaunchAgentBackend(QString homeDirectory, QString executablePath, ProcessRunner &runner,
                       QString launchctlPath = QStringLiteral("/bin/launchctl"));

    void enable() override;
    void disable() override;
    bool isEnabled() const override;

    QString agentPath() const;

    // The XML property list naming `executablePath`.
    static QByteArray plist(const QString &executablePath);

private:
    QString m_home;
    QString m_executablePath;
    ProcessRunner &m_runner;
    QString m_launchctl;
};
