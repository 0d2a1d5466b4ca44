// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XdgAutostartBackend.h"

#include "models/AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

XdgAutostartBackend::XdgAutostartBackend(QString configHome, QString executablePath, QString entryName,
                                         QStringList arguments)
    : m_configHome(std::move(configHome))
    , m_executablePath(std::move(executablePath))
    , m_entryName(std::move(entryName))
    , m_arguments(std::move(arguments))
{
}

QString XdgAutostartBackend::entryPath() const
{
    return m_configHome + QStringLiteral("/autostart/") + m_entryName + QStringLiteral(".desktop");
}

QString XdgAutostartBackend::execArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = argument.isEmpty();
    for (QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);

    QString quoted;
    if (needsQuotes) {
        quoted += u'"';
        for (QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        quoted += u'"';
    } else {
        quoted = argument;
    }

    // The value as a whole then takes the string escapes of the format.
    QString value;
    for (QChar c : quoted) {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else if (c == u'%')
            value += QStringLiteral("%%");
        else
            value += c;
    }
    return value;
}

QString XdgAutostartBackend::entryText(const QString &executablePath, const QStringList &arguments)
{
    QString exec = execArgument(executablePath);
    for (const QString &argument : arguments)
        exec += u' ' + execArgument(argument);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Lumivane\n"
                          "Exec=%1\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(exec);
}

void XdgAutostartBackend::enable()
{
    // An entry with an empty Exec would be invalid and start nothing.
    if (m_executablePath.isEmpty())
        throw FileError(QCoreApplication::translate("XdgAutostartBackend", "The path of the running program is unknown"));

    const QString path = entryPath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw FileError(QCoreApplication::translate("XdgAutostartBackend", "Could not create the folder %1").arg(folder));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(QCoreApplication::translate("XdgAutostartBackend", "Could not write %1: %2").arg(path, file.errorString()));
    file.write(entryText(m_executablePath, m_arguments).toUtf8());
    if (!file.commit())
        throw FileError(QCoreApplication::translate("XdgAutostartBackend", "Could not write %1: %2").arg(path, file.errorString()));
}

void XdgAutostartBackend::disable()
{
    const QString path = entryPath();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return;
    QFile file(path);
    if (!file.remove())
        throw FileError(QCoreApplication::translate("XdgAutostartBackend", "Could not remove %1: %2").arg(path, file.errorString()));
}

bool XdgAutostartBackend::isEnabled() const
{
    return QFileInfo::exists(entryPath());
}
