// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/HttpFetch.h"

#include "models/AppError.h"

#include <QCoreApplication>
#include <QCoroNetworkReply>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <memory>
#include <optional>

namespace {

struct ReplyDeleter
{
    void operator()(QNetworkReply *reply) const
    {
        if (reply)
            reply->deleteLater();
    }
};

TransportError transportError(QNetworkReply *reply)
{
    return TransportError(reply->errorString(), int(reply->error()));
}

} // namespace

FetchLimits FetchLimits::json()
{
    // A page of records is tens of kilobytes; a catalogue answer of megabytes is a fault.
    return {16 * 1024 * 1024, 60'000, 120'000};
}

FetchLimits FetchLimits::picture()
{
    // The largest wallpapers (8K, lossless) stay well below this; a slow line still gets time.
    return {256 * 1024 * 1024, 60'000, 15 * 60'000};
}

QCoro::Task<FetchResult> HttpFetch::run(QNetworkAccessManager &manager, QNetworkRequest request, QByteArray method,
                                        QByteArray body, FetchLimits limits, CancellationToken cancel)
{
    if (cancel && cancel->isCancelled())
        throw TransportError(QCoreApplication::translate("HttpFetch", "Operation canceled"), int(QNetworkReply::OperationCanceledError));

    if (limits.stallTimeoutMs > 0)
        request.setTransferTimeout(limits.stallTimeoutMs);
    std::unique_ptr<QNetworkReply, ReplyDeleter> reply(
        method == "GET" && body.isEmpty() ? manager.get(request) : manager.sendCustomRequest(request, method, body));
    if (cancel)
        cancel->track(reply.get());

    // Why the reply was aborted from here, if it was: the abort itself reads as "canceled".
    auto refusal = std::make_shared<std::optional<QString>>();
    QNetworkReply *raw = reply.get();
    auto refuse = [raw, refusal](QString why) {
        if (!*refusal) {
            *refusal = std::move(why);
            raw->abort();
        }
    };
    const qint64 maxBytes = limits.maxBytes;
    auto tooLarge = [maxBytes](qint64 bytes) { return maxBytes > 0 && bytes > maxBytes; };
    QObject::connect(raw, &QNetworkReply::metaDataChanged, raw, [raw, refuse, tooLarge] {
        const QVariant length = raw->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && tooLarge(length.toLongLong()))
            refuse(QCoreApplication::translate("HttpFetch", "The server sent more data than allowed"));
    });
    QObject::connect(raw, &QNetworkReply::downloadProgress, raw, [refuse, tooLarge](qint64 received, qint64) {
        if (tooLarge(received))
            refuse(QCoreApplication::translate("HttpFetch", "The server sent more data than allowed"));
    });
    QTimer deadline;
    if (limits.deadlineMs > 0) {
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, raw, [refuse] { refuse(QCoreApplication::translate("HttpFetch", "The request timed out")); });
        deadline.start(limits.deadlineMs);
    }

    if (!raw->isFinished())
        co_await raw;
    deadline.stop();

    if (*refusal)
        throw TransportError(**refusal, int(QNetworkReply::OperationCanceledError));
    const QVariant status = raw->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // Errors below 200 are the transport's (connection, timeout, abort, a body cut off);
    // from 200 on they restate an HTTP status, which the caller judges.
    if (raw->error() != QNetworkReply::NoError && (int(raw->error()) < 200 || !status.isValid()))
        throw transportError(raw);
    FetchResult result{status.isValid() ? status.toInt() : 0, raw->readAll()};
    // Qt inflates compressed bodies, and Content-Length then counts the compressed bytes.
    const bool compressed = !raw->rawHeader("Content-Encoding").isEmpty()
                            && raw->rawHeader("Content-Encoding").compare("identity", Qt::CaseInsensitive) != 0;
    // Answers that never carry a body (HEAD, 204, 304) may still announce one's length.
    const bool bodiless = method == "HEAD" || result.status == 204 || result.status == 304 || result.status < 200;
    const QVariant length = raw->header(QNetworkRequest::ContentLengthHeader);
    if (!compressed && !bodiless && length.isValid() && length.toLongLong() != result.body.size())
        throw TransportError(QCoreApplication::translate("HttpFetch", "The download ended before it was complete"),
                             int(QNetworkReply::RemoteHostClosedError));
    co_return result;
}
