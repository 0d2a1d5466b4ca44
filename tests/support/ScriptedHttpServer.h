// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A real HTTP server on 127.0.0.1 and a random free port. It records every request and answers
// with scripted responses: a response set for method + path (on()) wins, else the next one of
// the FIFO queue (enqueue()), else 404. Each response closes its connection. Everything runs on
// the event loop (no blocking reads), so the client under test sees asynchronous answers.
class ScriptedHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Request {
        QByteArray method;
        QByteArray rawPath;  // as sent, still percent-encoded
        QByteArray rawQuery; // after '?', as sent
        QString path;        // rawPath percent-decoded
        QList<QPair<QString, QString>> queryItems; // decoded, in the order sent
        QHash<QByteArray, QByteArray> headers;     // names lower-cased
        QByteArray body;
        QDateTime arrival;
    };

    struct Response {
        int status = 200;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        int delayMs = 0;                   // answer after this long
        bool stall = false;                // never answer
        bool closeWithoutResponse = false; // drop the connection without an answer
        qint64 announcedLength = -1;       // Content-Length to announce (-1: the body's); a longer one breaks the body off
        int trickleMs = 0;                 // send the body one byte at a time, this far apart

        static Response json(const QByteArray &body, int status = 200);
    };

    explicit ScriptedHttpServer(QObject *parent = nullptr);
    ~ScriptedHttpServer() override;

    // "http://127.0.0.1:<port>"
    QUrl url() const;
    quint16 port() const;

    void on(const QByteArray &method, const QString &path, const Response &response);
    void enqueue(const Response &response);

    const QList<Request> &requests() const { return m_requests; }
    int requestCount() const { return int(m_requests.size()); }

Q_SIGNALS:
    void requestReceived(int index);

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void respond(QTcpSocket *socket, const Response &response);

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QHash<QString, Response> m_routes;
    QList<Response> m_queue;
    QList<Request> m_requests;
};
