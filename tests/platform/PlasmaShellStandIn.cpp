// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlasmaShellStandIn.h"

#include <QDBusMessage>
#include <QJSEngine>

StandInDesktop::StandInDesktop(int screen, bool keepsWrites)
    : screen(screen)
    , keepsWrites(keepsWrites)
{
}

void StandInDesktop::writeConfig(const QString &key, const QVariant &value)
{
    if (keepsWrites)
        config.insert(currentConfigGroup.join(u'/') + u'/' + key, value);
}

QVariant StandInDesktop::readConfig(const QString &key) const
{
    return config.value(currentConfigGroup.join(u'/') + u'/' + key, QString());
}

PlasmaShellStandIn::PlasmaShellStandIn(const QList<int> &desktopScreens, bool keepsWrites)
    : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("plasma-stand-in")))
{
    for (int screen : desktopScreens)
        m_desktops.append(new StandInDesktop(screen, keepsWrites));
}

PlasmaShellStandIn::~PlasmaShellStandIn()
{
    m_connection.unregisterObject(QStringLiteral("/PlasmaShell"));
    m_connection.unregisterService(QStringLiteral("org.kde.plasmashell"));
    QDBusConnection::disconnectFromBus(QStringLiteral("plasma-stand-in"));
    qDeleteAll(m_desktops);
}

bool PlasmaShellStandIn::registerOnBus()
{
    return m_connection.registerObject(QStringLiteral("/PlasmaShell"), this, QDBusConnection::ExportScriptableSlots |
                                                                              QDBusConnection::ExportNonScriptableSlots)
        && m_connection.registerService(QStringLiteral("org.kde.plasmashell"));
}

QList<StandInDesktop *> PlasmaShellStandIn::desktops() const
{
    return m_desktops;
}

QVariantList PlasmaShellStandIn::scriptDesktops() const
{
    QVariantList list;
    for (StandInDesktop *d : m_desktops)
        list.append(QVariant::fromValue(static_cast<QObject *>(d)));
    return list;
}

void PlasmaShellStandIn::scriptPrint(const QString &text)
{
    m_output.append(text);
}

QString PlasmaShellStandIn::evaluateScript(const QString &script)
{
    // Only calls over the bus count: the slots the script itself calls are not recorded.
    if (calledFromDBus()) {
        const QDBusMessage &m = message();
        calls.append({m.path(), m.interface(), m.member(), m.arguments()});
        if (!refuseWith.isEmpty()) {
            sendErrorReply(QStringLiteral("org.kde.PlasmaShell.Error"), refuseWith);
            return {};
        }
    }

    m_output = warnings;
    QJSEngine engine;
    for (StandInDesktop *d : m_desktops)
        QJSEngine::setObjectOwnership(d, QJSEngine::CppOwnership);
    QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
    engine.globalObject().setProperty(QStringLiteral("shell"), engine.newQObject(this));
    engine.evaluate(QStringLiteral("var desktops = function() { return shell.scriptDesktops(); };\n"
                                   "var print = function(text) { shell.scriptPrint(String(text)); };\n"));
    const QJSValue result = engine.evaluate(script);
    if (result.isError() && calledFromDBus()) {
        // plasmashell answers a script that throws with a D-Bus error carrying the message.
        sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.Failed"), result.toString());
        return {};
    }
    return m_output.join(u'\n');
}
