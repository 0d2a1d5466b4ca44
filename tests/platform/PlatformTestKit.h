// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeDesktop.h"
#include "models/AppError.h"
#include "services/WallpaperEngine.h"
#include "TestSupport.h"

#include <gio/gio.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

class QNetworkAccessManager;

namespace PlatformTestKit {

// The user-readable failure of `task`, or an empty string when it succeeded. Every error is
// caught, so a broken backend shows up as a failed comparison and the test still reaches its
// end, where the private bus and the services on it are stopped.
inline QString failureOf(QCoro::Task<void> task, int timeoutMs = 15000)
{
    try {
        TestSupport::run(std::move(task), timeoutMs);
    } catch (const AppError &e) {
        return e.description();
    } catch (const std::exception &e) {
        return QStringLiteral("<%1>").arg(QString::fromUtf8(e.what()));
    }
    return {};
}

// Writes `bytes` to `folder`/`name` (creating folders on the way) and returns the path.
inline QString writeFile(const QString &folder, const QString &name, const QByteArray &bytes = QByteArrayLiteral("picture"))
{
    const QString path = folder + u'/' + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// One string key as the `gsettings` tool reads it in a separate process (with `backend` as
// GSETTINGS_BACKEND when given), decoded from GVariant text; a marker when it could not.
inline QString gsettingsGet(const QString &schema, const QString &key, const QString &backend = {})
{
    QProcess tool;
    if (!backend.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("GSETTINGS_BACKEND"), backend);
        tool.setProcessEnvironment(env);
    }
    tool.start(QStringLiteral("gsettings"), {QStringLiteral("get"), schema, key});
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0)
        return QStringLiteral("<gsettings failed: %1>").arg(QString::fromUtf8(tool.readAllStandardError()));
    const QByteArray text = tool.readAllStandardOutput().trimmed();
    GVariant *value = g_variant_parse(G_VARIANT_TYPE_STRING, text.constData(), nullptr, nullptr, nullptr);
    if (!value)
        return QStringLiteral("<not a string: %1>").arg(QString::fromUtf8(text));
    const QString result = QString::fromUtf8(g_variant_get_string(value, nullptr));
    g_variant_unref(value);
    return result;
}

// The local path a file URI names, by GLib's reading; a marker when it is not one.
inline QString pathOfUri(const QString &uri)
{
    gchar *path = g_filename_from_uri(uri.toUtf8().constData(), nullptr, nullptr);
    if (!path)
        return QStringLiteral("<not a file URI: %1>").arg(uri);
    const QString result = QString::fromUtf8(path);
    g_free(path);
    return result;
}

// An engine whose only real part is `notifier` (and the network); the fake desktop plays the rest.
inline WallpaperEngine::Collaborators engineParts(FakeDesktop &desk, QNetworkAccessManager &network, Notifier &notifier,
                                                  const QString &cachesRoot)
{
    WallpaperEngine::Collaborators c;
    c.network = &network;
    c.desktop = &desk;
    c.notifier = &notifier;
    c.trust = &desk;
    c.urlOpener = &desk;
    c.scriptRunner = &desk;
    c.screens = desk.screensProvider();
    c.cachesRoot = cachesRoot;
    return c;
}

} // namespace PlatformTestKit
