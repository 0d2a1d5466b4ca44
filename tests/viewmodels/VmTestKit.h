// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builders of service answers and small helpers shared by the view-model tests.

#include "ScriptedHttpServer.h"
#include "services/APIClient.h"
#include "TestSupport.h"
#include "viewmodels/Timing.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QUrlQuery>

namespace VmTestKit {

inline QByteArray wallpaperJson(const QString &id, const QString &title = QStringLiteral("Dunes"))
{
    return QStringLiteral(R"({"id":"%1","title":"%2","description":null,"file_key":"walls/%1.jpg",
        "thumbnail_key":"thumbs/%1.jpg","medium_key":"medium/%1.jpg","full_key":"full/%1.jpg",
        "width":3840,"height":2160,"file_size":123456,"format":"jpg","is_live":false,"is_featured":false,
        "status":"approved","download_count":0,"favorite_count":0,"view_count":0,"tags":["sand"],
        "created_at":"2024-05-01T10:20:30Z","updated_at":"2024-05-01T10:20:30Z"})")
        .arg(id, title)
        .toUtf8();
}

inline QByteArray categoryJson(const QString &id)
{
    return QStringLiteral(R"({"id":"%1","name":"Name %1","slug":"%1","sort_order":1,"is_active":true,
        "created_at":"2024-01-01T00:00:00Z","updated_at":"2024-01-01T00:00:00Z"})")
        .arg(id)
        .toUtf8();
}

inline QByteArray joined(const QList<QByteArray> &items)
{
    return '[' + items.join(',') + ']';
}

inline QByteArray wallpapers(const QStringList &ids)
{
    QList<QByteArray> items;
    for (const QString &id : ids)
        items.append(wallpaperJson(id));
    return joined(items);
}

inline QByteArray categories(int count)
{
    QList<QByteArray> items;
    for (int i = 1; i <= count; ++i)
        items.append(categoryJson(QStringLiteral("c%1").arg(i)));
    return joined(items);
}

// {"success":true,"data":<data>,"message":"OK"}
inline ScriptedHttpServer::Response envelope(const QByteArray &data, int delayMs = 0)
{
    auto response = ScriptedHttpServer::Response::json(R"({"success":true,"data":)" + data + R"(,"message":"OK"})");
    response.delayMs = delayMs;
    return response;
}

// A page of the wallpaper list; `pagination` is the raw JSON object, or empty for none.
inline ScriptedHttpServer::Response page(const QStringList &ids, const QByteArray &pagination = {}, int delayMs = 0)
{
    QByteArray body = R"({"success":true,"data":)" + wallpapers(ids);
    if (!pagination.isEmpty())
        body += R"(,"pagination":)" + pagination;
    body += '}';
    auto response = ScriptedHttpServer::Response::json(body);
    response.delayMs = delayMs;
    return response;
}

inline ScriptedHttpServer::Response failure(int status, const QByteArray &message, int delayMs = 0)
{
    auto response = ScriptedHttpServer::Response::json(R"({"success":false,"data":"error","message":")" + message + R"("})",
                                                       status);
    response.delayMs = delayMs;
    return response;
}

inline QStringList ids(const QString &prefix, int from, int count)
{
    QStringList list;
    for (int i = from; i < from + count; ++i)
        list.append(prefix + QString::number(i));
    return list;
}

inline QUrl apiBase(const ScriptedHttpServer &server)
{
    return QUrl(server.url().toString() + QStringLiteral("/api"));
}

// Value of a query item of a recorded request, or a null string when it was not sent.
inline QString queryValue(const ScriptedHttpServer::Request &request, const QString &key)
{
    for (const auto &[k, v] : request.queryItems) {
        if (k == key)
            return v.isNull() ? QStringLiteral("") : v;
    }
    return QString();
}

inline bool hasQueryItem(const ScriptedHttpServer::Request &request, const QString &key)
{
    for (const auto &item : request.queryItems) {
        if (item.first == key)
            return true;
    }
    return false;
}

inline int countPath(const ScriptedHttpServer &server, const QString &path)
{
    int n = 0;
    for (const auto &r : server.requests())
        n += r.path == path ? 1 : 0;
    return n;
}

// Intervals short enough for tests, long enough that ordering is not left to chance.
inline Timing fastTiming()
{
    Timing timing;
    timing.debounceMs = 60;
    timing.tickerMs = 5;
    timing.pollMs = 10;
    timing.pollDeadlineMs = 300;
    timing.carouselMs = 50;
    return timing;
}

// Runs `task` to completion; fails the test when it does not finish in time.
template<typename T> bool finish(QCoro::Task<T> &&task, int timeoutMs = 10000)
{
    return TestSupport::waitFor(task, timeoutMs);
}

} // namespace VmTestKit
