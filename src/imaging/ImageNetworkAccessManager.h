// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QNetworkAccessManager>

// The manager of the views' image loads. Every request is sent without HTTP pipelining (a
// server that mis-answers pipelined requests pairs pictures with the wrong addresses), and every
// answer is held to a size, a stall timeout and an overall deadline, so a hostile or broken
// server can neither fill the memory nor keep a load open for ever.
class ImageNetworkAccessManager : public QNetworkAccessManager
{
    Q_OBJECT

public:
    struct Limits {
        qint64 maxBytes = 32 * 1024 * 1024; // thumbnails and previews are far smaller
        int stallTimeoutMs = 60'000;
        int deadlineMs = 120'000;
    };

    explicit ImageNetworkAccessManager(QObject *parent = nullptr);
    ImageNetworkAccessManager(Limits limits, QObject *parent);

    const Limits &limits() const { return m_limits; }

protected:
    QNetworkReply *createRequest(Operation op, const QNetworkRequest &request, QIODevice *outgoingData) override;

private:
    Limits m_limits;
};
