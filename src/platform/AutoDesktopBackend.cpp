// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AutoDesktopBackend.h"

#include "platform/CommandDesktopBackend.h"
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

AutoDesktopBackend::AutoDesktopBackend(BusConnection connection, QString currentDesktop, QString configHome,
                                       ProcessRunner &runner, Session session)
    : m_connection(std::move(connection))
    , m_currentDesktop(std::move(currentDesktop))
    , m_configHome(std::move(configHome))
    , m_runner(runner)
    , m_session(std::move(session))
{
    if (!m_session.findProgram)
        m_session.findProgram = [](const QString &program) { return QStandardPaths::findExecutable(program); };
}

QString AutoDesktopBackend::name() const
{
    return m_chosen ? m_chosen->name() : u"automatic"_s;
}

AutoDesktopBackend::Kind AutoDesktopBackend::choose(const QString &currentDesktop, const QStringList &running,
                                                    const QStringList &activatable,
                                                    const std::function<bool(const QString &)> &schemaInstalled,
                                                    const Session &session)
{
    const QStringList desktops = currentDesktop.toLower().split(u':', Qt::SkipEmptyParts);
    const auto has = [&](const char *name) { return desktops.contains(QLatin1String(name)); };
    const auto onBus = [&](const QString &name) { return running.contains(name) || activatable.contains(name); };
    const auto found = [&](const char *program) { return !session.findProgram(QLatin1String(program)).isEmpty(); };
    const auto set = [&](const char *variable) { return !session.environment.value(QLatin1String(variable)).isEmpty(); };
    const bool gnomeSchema = schemaInstalled(u"org.gnome.desktop.background"_s);
    const QString xfconf = u"org.xfce.Xfconf"_s;

    if (has("kde") && onBus(PlasmaDesktopBackend::busName()))
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
    if (has("xfce") && onBus(xfconf))
        return Kind::Xfce;

    // Unset or unknown (a command from ssh or a timer, a session that does not say): a desktop
    // whose service really runs is the one shown, and its settings answer at once, where the
    // portal's dialog may never come.
    const bool named = has("kde") || has("xfce") || has("sway") || has("hyprland");
    if (!named && running.contains(PlasmaDesktopBackend::busName()))
        return Kind::Plasma;
    if (!named && running.contains(xfconf))
        return Kind::Xfce;

    if ((has("sway") || set("SWAYSOCK")) && found("swaymsg"))
        return Kind::Sway;
    if ((has("hyprland") || set("HYPRLAND_INSTANCE_SIGNATURE")) && found("hyprctl") && found("hyprpaper"))
        return Kind::Hyprpaper;
    if (onBus(u"org.freedesktop.portal.Desktop"_s))
        return Kind::Portal;
    if (set("WAYLAND_DISPLAY") && found("swww"))
        return Kind::Swww;
    if (set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
        if (found("feh"))
            return Kind::Feh;
        if (found("xwallpaper"))
            return Kind::Xwallpaper;
    }
    return Kind::Unavailable;
}

QCoro::Task<DesktopBackend *> AutoDesktopBackend::resolve()
{
    if (m_chosen)
        co_return m_chosen.get();

    QStringList running = co_await listNames(m_connection.get(), u"ListNames"_s);
    QStringList activatable = co_await listNames(m_connection.get(), u"ListActivatableNames"_s);
    if (m_chosen) // another call chose while this one waited
        co_return m_chosen.get();

    const QStringList desktops = m_currentDesktop.toLower().split(u':', Qt::SkipEmptyParts);
    Kind kind = choose(m_currentDesktop, running, activatable, &GSettingsDesktopBackend::schemaInstalled, m_session);
    if (kind == Kind::Portal) {
        const bool offered = co_await PortalDesktopBackend::offersWallpaper(m_connection.get());
        if (m_chosen)
            co_return m_chosen.get();
        if (!offered) { // the next choice without it
            const QString portal = u"org.freedesktop.portal.Desktop"_s;
            running.removeAll(portal);
            activatable.removeAll(portal);
            kind = choose(m_currentDesktop, running, activatable, &GSettingsDesktopBackend::schemaInstalled, m_session);
        }
    }
    const auto command = [&](CommandDesktopBackend::Tool tool) {
        return std::make_unique<CommandDesktopBackend>(
            tool, m_session.findProgram(CommandDesktopBackend::programName(tool)), m_runner);
    };
    switch (kind) {
    case Kind::Plasma: {
        QString tool = QStandardPaths::findExecutable(u"kwriteconfig6"_s);
        if (tool.isEmpty())
            tool = QStandardPaths::findExecutable(u"kwriteconfig5"_s);
        m_chosen = std::make_unique<PlasmaDesktopBackend>(m_connection.get(), m_configHome, m_runner, tool);
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
        m_chosen = std::make_unique<XfceDesktopBackend>(m_connection.get());
        break;
    case Kind::Portal:
        m_chosen = std::make_unique<PortalDesktopBackend>(m_connection.get());
        break;
    case Kind::Sway:
        m_chosen = command(CommandDesktopBackend::Tool::Sway);
        break;
    case Kind::Hyprpaper:
        m_chosen = command(CommandDesktopBackend::Tool::Hyprpaper);
        break;
    case Kind::Swww:
        m_chosen = command(CommandDesktopBackend::Tool::Swww);
        break;
    case Kind::Feh:
        m_chosen = command(CommandDesktopBackend::Tool::Feh);
        break;
    case Kind::Xwallpaper:
        m_chosen = command(CommandDesktopBackend::Tool::Xwallpaper);
        break;
    case Kind::Unavailable:
        m_chosen = std::make_unique<UnavailableDesktopBackend>();
        break;
    }
    co_return m_chosen.get();
}

QCoro::Task<DesktopCapabilities> AutoDesktopBackend::capabilities()
{
    DesktopBackend *backend = co_await resolve();
    const DesktopCapabilities can = co_await backend->capabilities();
    co_return can;
}

QCoro::Task<void> AutoDesktopBackend::setDesktopImage(QString filePath, DesktopScreen screen)
{
    DesktopBackend *backend = co_await resolve();
    co_await backend->setDesktopImage(filePath, screen);
}

QCoro::Task<void> AutoDesktopBackend::setSpanningImage(QString filePath)
{
    DesktopBackend *backend = co_await resolve();
    co_await backend->setSpanningImage(filePath);
}

QCoro::Task<void> AutoDesktopBackend::setLockScreenImage(QString filePath)
{
    DesktopBackend *backend = co_await resolve();
    co_await backend->setLockScreenImage(filePath);
}
