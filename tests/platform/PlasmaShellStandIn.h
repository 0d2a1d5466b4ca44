// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <memory>

class QJSEngine;

// One Plasma desktop containment as a desktop script sees it.
class StandInDesktop : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int screen MEMBER screen CONSTANT)
    Q_PROPERTY(QString wallpaperPlugin MEMBER wallpaperPlugin)
    Q_PROPERTY(QStringList currentConfigGroup MEMBER currentConfigGroup)

public:
    StandInDesktop(int screen, bool keepsWrites);

    Q_INVOKABLE void writeConfig(const QString &key, const QVariant &value);
    Q_INVOKABLE QVariant readConfig(const QString &key) const;

    // Config values by "Group/Sub/Key", as written.
    QVariant value(const QString &path) const { return config.value(path); }

    int screen;
    QString wallpaperPlugin = QStringLiteral("org.kde.color");
    QStringList currentConfigGroup;
    QVariantMap config;
    bool keepsWrites;
};

// plasmashell's org.kde.PlasmaShell interface under its real bus name, org.kde.plasmashell (as a
// real plasmashell 5.27 registers it: `busctl --user list` in a Plasma session), on its own
// connection to the session bus: evaluateScript really runs the
// script in a JavaScript engine against a set of desktops, records every call and answers with
// what the script printed, the way plasmashell does.
class PlasmaShellStandIn : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")

public:
    struct Call {
        QString path;
        QString interface;
        QString member;
        QVariantList arguments;
    };

    // Desktops on the given screens, in that order (a screen may hold several, e.g. activities).
    explicit PlasmaShellStandIn(const QList<int> &desktopScreens, bool keepsWrites = true);
    ~PlasmaShellStandIn() override;

    bool registerOnBus();

    QList<Call> calls;
    QList<StandInDesktop *> desktops() const;
    QString refuseWith;       // answer every call with this D-Bus error message
    QStringList warnings;     // printed before the script's own output

public Q_SLOTS:
    QString evaluateScript(const QString &script);

    // Called by the script's global functions.
    QVariantList scriptDesktops() const;
    void scriptPrint(const QString &text);

private:
    QDBusConnection m_connection;
    QList<StandInDesktop *> m_desktops;
    QStringList m_output;
};
