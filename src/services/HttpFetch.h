// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/CancellationScope.h"

#include <QByteArray>
#include <QCoroTask>
#include <QNetworkRequest>

class QNetworkAccessManager;

// How much one kind of download may take: a server that sends without end, or one byte at a
// time, must not hold the program's memory or its user for ever.
struct FetchLimits
{
    qint64 maxBytes = 0;     // a body announced or received larger than this fails
    int stallTimeoutMs = 0;  // no progress for this long fails
    int deadlineMs = 0;      // the whole exchange takes at most this long

    static FetchLimits json();    // the catalogue's answers
    static FetchLimits picture(); // a full-size wallpaper
};

// An answer that arrived whole: its HTTP status (0 when it was no HTTP answer) and body.
struct FetchResult
{
    int status = 0;
    QByteArray body;
};

// One request through a manager, awaited to the end within its limits. Whatever the status, an
// answer whose body arrived complete is returned; everything else throws TransportError: no
// connection, an abort or cancellation, a limit exceeded, a body cut short of its
// Content-Length.
class HttpFetch
{
public:
    HttpFetch() = delete;

    static QCoro::Task<FetchResult> run(QNetworkAccessManager &manager, QNetworkRequest request,
                                        QByteArray method, QByteArray body, FetchLimits limits,
                                        CancellationToken cancel = {});
};
