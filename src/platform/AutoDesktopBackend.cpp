// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AutoDesktopBackend.h"

#include "platform/GSettingsDesktopBackend.h"
#include "platform/PlasmaDesktopBackend.h"
#include "platform/PortalDesktopBackend.h"
#include "platform/UnavailableDesktopBackend.h"
#include "platform/XfceDesktopBackend.h"

#include <QCoroDBusPendingCall>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QCoro::Task<QStringList> listNames(QDBusConnection connection, QString method)
{
    QDBusMessage message = QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                                          u"org.freedesktop.DBus"_s, method);
    const QDBusPendingCall pending = connection.asyncCall(message);
    const QDBusMessage reply = co_await pending;
    if (reply.type() != QDBusMessage::ReplyMessage)
        co_return QStringList();
    co_return reply.arguments().value(0).toStringList();
}

} // namespace

AutoDesktopBackend::AutoDesktopBackend(QDBusConnection connection, QString currentDesktop, QString configHome,
                                       ProcessRunner &runner)
    : m_connection(std::move(connection))
    , m_currentDesktop(std::move(currentDesktop))
    , m_configHome(std::move(configHome))
    , m_runner(runner)
{
}

QString AutoDesktopBackend::name() const
{
    return m_chosen ? m_chosen->name() : u"automatic"_s;
}

AutoDesktopBackend::Kind AutoDesktopBackend::choose(const QString &currentDesktop, const QStringList &busNames,
                                                    const std::function<bool(const QString &)> &schemaInstalled)
{
    const QStringList desktops = currentDesktop.toLower().split(u':', Qt::SkipEmptyParts);
    const auto has = [&](const char *name) { return desktops.contains(QLatin1String(name)); };
    const bool gnomeSchema = schemaInstalled(u"org.gnome.desktop.background"_s);

    if (has("kde") && busNames.contains(PlasmaDesktopBackend::busName()))
        return Kind::Plasma;
    // Budgie and Unity also list GNOME; their own name decides.
    if ((has("budgie") || has("unity") || has("pantheon")) && gnomeSchema)
        return Kind::GnomeCompatible;
    if ((has("x-cinnamon") || has("cinnamon")) && schemaInstalled(u"org.cinnamon.desktop.background"_s))
        return Kind::Cinnamon;
    if (has("mate") && schemaInstalled(u"org.mate.background"_s))
        return Kind::Mate;
    if (has("gnome") && gnomeSchema)
        return Kind::Gnome;
    if (has("xfce") && busNames.contains(u"org.xfce.Xfconf"_s))
        return Kind::Xfce;
    if (busNames.contains(u"org.freedesktop.portal.Desktop"_s))
        return Kind::Portal;
    return Kind::Unavailable;
}

QCoro::Task<DesktopBackend *> AutoDesktopBackend::resolve()
{
    if (m_chosen)
        co_return m_chosen.get();

    QStringList names = co_await listNames(m_connection, u"ListNames"_s);
    names += co_await listNames(m_connection, u"ListActivatableNames"_s);
    if (m_chosen) // another call chose while this one waited
        co_return m_chosen.get();

    const QStringList desktops = m_currentDesktop.toLower().split(u':', Qt::SkipEmptyParts);
    Kind kind = choose(m_currentDesktop, names, &GSettingsDesktopBackend::schemaInstalled);
    if (kind == Kind::Portal) {
        const bool offered = co_await PortalDesktopBackend::offersWallpaper(m_connection);
        if (m_chosen)
            co_return m_chosen.get();
        if (!offered)
            kind = Kind::Unavailable;
    }
    switch (kind) {
    case Kind::Plasma: {
        QString tool = QStandardPaths::findExecutable(u"kwriteconfig6"_s);
        if (tool.isEmpty())
            tool = QStandardPaths::findExecutable(u"kwriteconfig5"_s);
        m_chosen = std::make_unique<PlasmaDesktopBackend>(m_connection, m_configHome, m_runner, tool);
        break;
    }
    case Kind::GnomeCompatible: {
        QString name = u"Budgie"_s;
        if (desktops.contains(u"unity"_s))
            name = u"Unity"_s;
        else if (desktops.contains(u"pantheon"_s))
            name = u"Pantheon"_s;
        m_chosen = std::make_unique<GSettingsDesktopBackend>(GSettingsDesktopBackend::gnomeCompatible(name));
        break;
    }
    case Kind::Gnome:
        m_chosen = std::make_unique<GSettingsDesktopBackend>(GSettingsDesktopBackend::gnome());
        break;
    case Kind::Cinnamon:
        m_chosen = std::make_unique<GSettingsDesktopBackend>(GSettingsDesktopBackend::cinnamon());
        break;
    case Kind::Mate:
        m_chosen = std::make_unique<GSettingsDesktopBackend>(GSettingsDesktopBackend::mate());
        break;
    case Kind::Xfce:
        m_chosen = std::make_unique<XfceDesktopBackend>(m_connection);
        break;
    case Kind::Portal:
        m_chosen = std::make_unique<PortalDesktopBackend>(m_connection);
        break;
    case Kind::Unavailable:
        m_chosen = std::make_unique<UnavailableDesktopBackend>();
        break;
    }
    co_return m_chosen.get();
}

QCoro::Task<void> AutoDesktopBackend::setDesktopImage(QString filePath, DesktopScreen screen)
{
    DesktopBackend *backend = co_await resolve();
    co_await backend->setDesktopImage(filePath, screen);
}

QCoro::Task<void> AutoDesktopBackend::setLockScreenImage(QString filePath)
{
    DesktopBackend *backend = co_await resolve();
    co_await backend->setLockScreenImage(filePath);
}
