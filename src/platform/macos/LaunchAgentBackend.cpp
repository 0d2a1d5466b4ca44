// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/macos/LaunchAgentBackend.h"

#include "models/AppError.h"
#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamWriter>

LaunchAgentBackend::LaunchAgentBackend(QString homeDirectory, QString executablePath, ProcessRunner &runner,
                                       QString launchctlPath)
    : m_home(std::move(homeDirectory))
    , m_executablePath(std::move(executablePath))
    , m_runner(runner)
    , m_launchctl(std::move(launchctlPath))
{
}

QString LaunchAgentBackend::agentPath() const
{
    return m_home + QStringLiteral("/Library/LaunchAgents/app.lumivane.plist");
}

QByteArray LaunchAgentBackend::plist(const QString &executablePath)
{
    QByteArray data;
    QXmlStreamWriter xml(&data);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(-1); // one tab, as property lists are usually indented
    xml.writeStartDocument(QStringLiteral("1.0"));
    xml.writeDTD(QStringLiteral("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">"));
    xml.writeStartElement(QStringLiteral("plist"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml.writeStartElement(QStringLiteral("dict"));
    xml.writeTextElement(QStringLiteral("key"), QStringLiteral("Label"));
    xml.writeTextElement(QStringLiteral("string"), QStringLiteral("app.lumivane"));
    xml.writeTextElement(QStringLiteral("key"), QStringLiteral("ProgramArguments"));
    xml.writeStartElement(QStringLiteral("array"));
    xml.writeTextElement(QStringLiteral("string"), executablePath);
    xml.writeEndElement();
    xml.writeTextElement(QStringLiteral("key"), QStringLiteral("RunAtLoad"));
    xml.writeEmptyElement(QStringLiteral("true"));
    xml.writeTextElement(QStringLiteral("key"), QStringLiteral("KeepAlive"));
    xml.writeEmptyElement(QStringLiteral("false"));
    xml.writeEndElement(); // dict
    xml.writeEndElement(); // plist
    xml.writeEndDocument();
    return data;
}

void LaunchAgentBackend::enable()
{
    const QString path = agentPath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw FileError(QCoreApplication::translate("LaunchAgentBackend", "Could not create the folder %1").arg(folder));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw FileError(QCoreApplication::translate("LaunchAgentBackend", "Could not write %1: %2").arg(path, file.errorString()));
    const QByteArray data = plist(m_executablePath);
    if (file.write(data) != data.size())
        throw FileError(QCoreApplication::translate("LaunchAgentBackend", "Could not write %1: %2").arg(path, file.errorString()));
    file.close();

    m_runner.run(m_launchctl, {QStringLiteral("load"), path});
}

void LaunchAgentBackend::disable()
{
    const QString path = agentPath();
    if (!QFileInfo::exists(path))
        return;
    m_runner.run(m_launchctl, {QStringLiteral("unload"), path});
    QFile file(path);
    if (!file.remove())
        throw FileError(QCoreApplication::translate("LaunchAgentBackend", "Could not remove %1: %2").arg(path, file.errorString()));
}

bool LaunchAgentBackend::isEnabled() const
{
    return QFileInfo::exists(agentPath());
}
