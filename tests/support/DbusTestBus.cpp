// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DbusTestBus.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

DbusTestBus::DbusTestBus()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        return;
    // Our own configuration rather than the system's session.conf: with the standard service
    // folders, whatever this machine has installed (xdg-desktop-portal, a notification daemon)
    // would be activatable and change what the tests see. Services come from startService(),
    // and dconf below.
    if (!m_configDir.isValid() || !QDir(m_configDir.path()).mkdir(QStringLiteral("services")))
        return;
    const QString configPath = m_configDir.filePath(QStringLiteral("session.conf"));
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly))
        return;
    config.write(QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=%1</listen>
  <auth>EXTERNAL</auth>
  <servicedir>%2</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)")
                     .arg(m_configDir.path(), m_configDir.filePath(QStringLiteral("services")))
                     .toUtf8());
    config.close();
    // dconf is the settings store a GNOME session activates on demand; the tests use it as such.
    for (const char *service : {"ca.desrt.dconf.service"}) {
        const QString from = QStringLiteral("/usr/share/dbus-1/services/") + QLatin1String(service);
        if (QFile::exists(from))
            QFile::copy(from, m_configDir.filePath(QStringLiteral("services/")) + QLatin1String(service));
    }
    m_daemon = std::make_unique<QProcess>();
    m_daemon->setProcessChannelMode(QProcess::SeparateChannels);
    m_daemon->start(daemon, {QStringLiteral("--config-file=") + configPath, QStringLiteral("--nofork"),
                             QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    if (!m_daemon->waitForStarted(5000))
        return;
    QByteArray line;
    QDeadlineTimer deadline(5000);
    while (!line.contains('\n') && !deadline.hasExpired()) {
        m_daemon->waitForReadyRead(int(deadline.remainingTime()));
        line += m_daemon->readAllStandardOutput();
    }
    m_address = line.trimmed();
    if (!m_address.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_address);
}

DbusTestBus::~DbusTestBus()
{
    for (auto &service : m_services) {
        service->terminate();
        if (!service->waitForFinished(3000))
            service->kill();
        service->waitForFinished(1000);
    }
    if (m_daemon) {
        m_daemon->terminate();
        if (!m_daemon->waitForFinished(3000))
            m_daemon->kill();
        m_daemon->waitForFinished(1000);
    }
}

bool DbusTestBus::hasOwner(const QString &busName) const
{
    QProcess query;
    query.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--bus=") + QString::fromUtf8(m_address), QStringLiteral("--print-reply"),
                 QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus.NameHasOwner"), QStringLiteral("string:") + busName});
    query.waitForFinished(5000);
    return query.readAllStandardOutput().contains("boolean true");
}

bool DbusTestBus::startService(const QString &program, const QStringList &arguments, const QString &busName,
                               int timeoutMs)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program, arguments);
    if (!process->waitForStarted(5000))
        return false;
    m_services.push_back(std::move(process));
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (hasOwner(busName))
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool DbusTestBus::addActivatable(const QString &busName, const QString &program, const QStringList &arguments)
{
    QFile file(m_configDir.filePath(QStringLiteral("services/") + busName + QStringLiteral(".service")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString command = (QStringList{program} + arguments).join(u' ');
    file.write("[D-BUS Service]\nName=" + busName.toUtf8() + "\nExec=" + command.toUtf8() + "\n");
    file.close();
    // The daemon rereads its service folder on ReloadConfig.
    return QProcess::execute(QStringLiteral("dbus-send"),
                             {QStringLiteral("--bus=") + QString::fromUtf8(m_address), QStringLiteral("--print-reply"),
                              QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                              QStringLiteral("org.freedesktop.DBus.ReloadConfig")})
        == 0;
}
