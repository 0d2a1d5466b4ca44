// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LoginItemBackend.h"

#include <QString>
#include <QStringList>

// An XDG autostart entry, <config home>/autostart/app.lumivane.desktop, that starts the program
// at login. The entry exists exactly while start-on-login is on.
class XdgAutostartBackend : public LoginItemBackend
{
public:
    // `configHome` is $XDG_CONFIG_HOME (or ~/.config); `executablePath` the program to start,
    // with `arguments`; the entry is <entryName>.desktop.
    XdgAutostartBackend(QString configHome, QString executablePath, QString entryName = QStringLiteral("app.lumivane"),
                        QStringList arguments = {});

    void enable() override;
    void disable() override;
    bool isEnabled() const override;

    QString entryPath() const;

    // The entry's text for `executablePath`.
    static QString entryText(const QString &executablePath, const QStringList &arguments = {});
    // One argument as the Exec key wants it: quoted when it holds a reserved character, with
    // the quoting and string escapes of the desktop entry format, and '%' doubled.
    static QString execArgument(const QString &argument);

private:
    QString m_configHome;
    QString m_executablePath;
    QString m_entryName;
    QStringList m_arguments;
};
