// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QVariantMap>
#include <memory>
#include <optional>

// xdg-desktop-portal's Wallpaper interface on its own bus connection. It records each
// SetWallpaperFile call (with the bytes behind the descriptor it was given) and answers on the
// request object the way the portal does: a Response signal, sent before or after the reply.
class PortalStandIn : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Wallpaper")

public:
    struct Call {
        QString sender;
        QString parentWindow;
        QByteArray bytes;     // read through the descriptor
        bool readOnly = false;
        QVariantMap options;
        QString requestPath;  // where the answer goes
    };

    PortalStandIn();
    ~PortalStandIn() override;
    bool registerOnBus();

    QList<Call> calls;

    // How to answer: the Response code (none: never), and when.
    std::optional<uint> answer = 0u;
    bool answerBeforeReply = false;
    int answerDelayMs = 0;
    bool pathOfItsOwn = false;         // an old portal that ignores handle_token
    bool answerOnAnotherRequest = false; // a Response meant for somebody else's request
    QString refuseWith;
    // The request objects that were asked to Close.
    QStringList closedRequests;
    // What the permission store (served when set) holds for the wallpaper portal: app id → permissions.
    std::optional<QMap<QString, QStringList>> wallpaperPermissions;

public Q_SLOTS:
    QDBusObjectPath SetWallpaperFile(const QString &parentWindow, const QDBusUnixFileDescriptor &file,
                                     const QVariantMap &options);

private:
    void respond(const QString &path, uint code);
    bool handle(const QDBusMessage &message, const QDBusConnection &connection);
    friend class PortalStandInObjects;

    QDBusConnection m_connection;
    std::unique_ptr<QObject> m_objects;
};
