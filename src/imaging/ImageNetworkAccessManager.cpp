// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/ImageNetworkAccessManager.h"

#include <QNetworkReply>
#include <QTimer>

ImageNetworkAccessManager::ImageNetworkAccessManager(QObject *parent)
    : ImageNetworkAccessManager(Limits(), parent)
{
}

ImageNetworkAccessManager::ImageNetworkAccessManager(Limits limits, QObject *parent)
    : QNetworkAccessManager(parent)
    , m_limits(limits)
{
}

QNetworkReply *ImageNetworkAccessManager::createRequest(Operation op, const QNetworkRequest &original,
                                                        QIODevice *outgoingData)
{
    QNetworkRequest request(original);
    request.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, false);
    if (m_limits.stallTimeoutMs > 0)
        request.setTransferTimeout(m_limits.stallTimeoutMs);
    QNetworkReply *reply = QNetworkAccessManager::createRequest(op, request, outgoingData);

    const qint64 maxBytes = m_limits.maxBytes;
    if (maxBytes > 0) {
        // Refused on its announced length already: the body may arrive whole in one read.
        connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, maxBytes] {
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > maxBytes && !reply->isFinished())
                reply->abort();
        });
        connect(reply, &QNetworkReply::downloadProgress, reply, [reply, maxBytes](qint64 received, qint64) {
            if (received > maxBytes && !reply->isFinished())
                reply->abort();
        });
    }
    if (m_limits.deadlineMs > 0) {
        auto *deadline = new QTimer(reply);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, reply, [reply] {
            if (!reply->isFinished())
                reply->abort();
        });
        connect(reply, &QNetworkReply::finished, deadline, &QTimer::stop);
        deadline->start(m_limits.deadlineMs);
    }
    return reply;
}
