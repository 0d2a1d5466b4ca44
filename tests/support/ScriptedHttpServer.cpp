// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedHttpServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <memory>

ScriptedHttpServer::Response ScriptedHttpServer::Response::json(const QByteArray &body, int status)
{
    Response r;
    r.status = status;
    r.body = body;
    r.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json")));
    return r;
}

ScriptedHttpServer::ScriptedHttpServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedHttpServer::onNewConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

ScriptedHttpServer::~ScriptedHttpServer()
{
    const auto sockets = m_buffers.keys();
    for (QTcpSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
    }
}

QUrl ScriptedHttpServer::url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port()));
}

quint16 ScriptedHttpServer::port() const
{
    return m_server.serverPort();
}

void ScriptedHttpServer::on(const QByteArray &method, const QString &path, const Response &response)
{
    m_routes.insert(QString::fromLatin1(method.toUpper()) + u' ' + path, response);
}

void ScriptedHttpServer::enqueue(const Response &response)
{
    m_queue.append(response);
}

void ScriptedHttpServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        m_buffers.insert(socket, {});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }
}

void ScriptedHttpServer::onReadyRead(QTcpSocket *socket)
{
    auto it = m_buffers.find(socket);
    if (it == m_buffers.end())
        return;
    QByteArray &buffer = it.value();
    buffer += socket->readAll();

    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    Request request;
    qint64 contentLength = 0;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        request.headers.insert(name, value);
        if (name == "content-length")
            contentLength = value.toLongLong();
    }
    const qsizetype bodyStart = headerEnd + 4;
    if (buffer.size() - bodyStart < contentLength)
        return; // wait for the rest of the body

    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    const QByteArray target = requestLine.value(1);
    const qsizetype q = target.indexOf('?');
    request.rawPath = q < 0 ? target : target.left(q);
    request.rawQuery = q < 0 ? QByteArray() : target.mid(q + 1);
    request.path = QUrl::fromPercentEncoding(request.rawPath);
    if (q >= 0) {
        const QUrlQuery query(QString::fromLatin1(request.rawQuery));
        request.queryItems = query.queryItems(QUrl::FullyDecoded);
    }
    request.body = buffer.mid(bodyStart, contentLength);
    request.arrival = QDateTime::currentDateTimeUtc();
    buffer.clear(); // one request per connection: we always close after answering

    m_requests.append(request);
    const int index = m_requests.size() - 1;

    Response response;
    const QString key = QString::fromLatin1(request.method) + u' ' + request.path;
    if (m_routes.contains(key))
        response = m_routes.value(key);
    else if (!m_queue.isEmpty())
        response = m_queue.takeFirst();
    else
        response.status = 404;

    Q_EMIT requestReceived(index);

    if (response.stall)
        return;
    if (response.delayMs > 0) {
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(response.delayMs, this, [this, guarded, response] {
            if (guarded && m_buffers.contains(guarded.data()))
                respond(guarded, response);
        });
        return;
    }
    respond(socket, response);
}

void ScriptedHttpServer::respond(QTcpSocket *socket, const Response &response)
{
    if (response.closeWithoutResponse) {
        socket->abort();
        return;
    }
    QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + " Scripted\r\n";
    for (const auto &[name, value] : response.headers)
        out += name + ": " + value + "\r\n";
    const qint64 length = response.announcedLength >= 0 ? response.announcedLength : response.body.size();
    out += "Content-Length: " + QByteArray::number(length) + "\r\n";
    out += "Connection: close\r\n\r\n";
    if (response.trickleMs > 0) {
        socket->write(out);
        auto *timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body = response.body] {
            if (*sent >= body.size()) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            socket->write(body.mid((*sent)++, 1));
        });
        timer->start(response.trickleMs);
        return;
    }
    out += response.body;
    socket->write(out);
    socket->disconnectFromHost();
}
