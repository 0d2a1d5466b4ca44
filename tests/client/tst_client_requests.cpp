// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MachineIdSource.h"
#include "services/APIClient.h"
#include "services/DeviceIdentity.h"
#include "TestSupport.h"

#include <QCoroTask>
#include <QNetworkReply>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Answers every request with one scripted response and keeps the last request's raw bytes.
class OneShotServer : public QObject
{
public:
    QByteArray status = "200 OK";
    QByteArray body;
    bool silent = false; // never answer
    QByteArray lastRequest;

    OneShotServer()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                auto buffer = std::make_shared<QByteArray>();
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                    *buffer += socket->readAll();
                    const qsizetype end = buffer->indexOf("\r\n\r\n");
                    if (end < 0)
                        return;
                    qsizetype length = 0;
                    for (const QByteArray &line : buffer->left(end).split('\n')) {
                        if (line.toLower().startsWith("content-length:"))
                            length = line.mid(15).trimmed().toLongLong();
                    }
                    if (buffer->size() < end + 4 + length)
                        return;
                    lastRequest = *buffer;
                    if (silent)
                        return;
                    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: application/json\r\nContent-Length: "
                                  + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QUrl base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/api").arg(server.serverPort())); }
    QByteArray requestLine() const { return lastRequest.left(lastRequest.indexOf("\r\n")); }
    QByteArray requestBody() const { return lastRequest.mid(lastRequest.indexOf("\r\n\r\n") + 4); }

    QTcpServer server;
};

template<typename T> T run(QCoro::Task<T> task) { return TestSupport::run(std::move(task)); }

QString errorOf(QCoro::Task<QList<Category>> task)
{
    try {
        TestSupport::run(std::move(task));
    } catch (const AppError &e) {
        return e.description();
    }
    return QStringLiteral("no error");
}
} // namespace

class TestClientRequests : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void queryItemsInOrder()
    {
        OneShotServer server;
        server.body = R"({"success":true,"data":[]})";
        APIClient client(server.base());
        const auto page = run(client.fetchWallpapers(2, 20, std::nullopt, QStringLiteral("newest")));
        QVERIFY(page.data.isEmpty());
        QCOMPARE(server.requestLine(), QByteArray("GET /api/wallpapers?page=2&limit=20&sort=newest HTTP/1.1"));

        run(client.fetchWallpapers(1, 20, QStringLiteral("c 1"), QStringLiteral("popular"), QStringLiteral("a&b+c")));
        QCOMPARE(server.requestLine(),
                 QByteArray("GET /api/wallpapers?page=1&limit=20&category_id=c%201&sort=popular&search=a%26b%2Bc HTTP/1.1"));
    }

    void idStaysInItsSegment()
    {
        const APIClient client(QUrl("https://api.example/api"));
        const QUrl url = client.makeRequest(QStringLiteral("/wallpapers/a b?c")).url();
        QCOMPARE(url.toString(QUrl::FullyEncoded), QStringLiteral("https://api.example/api/wallpapers/a%20b%3Fc"));
        QVERIFY(!url.hasQuery());
        QCOMPARE(client.makeRequest(QStringLiteral("/categories")).transferTimeout(), 60000);
    }

    void failureTable_data()
    {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("description");
        QTest::newRow("envelope") << QByteArray("404 Not Found")
                                  << QByteArray(R"({"success":false,"data":"not_found","message":"No such wallpaper"})")
                                  << "No such wallpaper";
        QTest::newRow("data null") << QByteArray("404 Not Found")
                                   << QByteArray(R"({"success":false,"data":null,"message":"x"})") << "Server error (404)";
        QTest::newRow("empty") << QByteArray("500 Internal Server Error") << QByteArray() << "Server error (500)";
        QTest::newRow("html") << QByteArray("502 Bad Gateway") << QByteArray("<html><body>bad</body></html>")
                              << "Server error (502)";
        QTest::newRow("2xx without message") << QByteArray("200 OK") << QByteArray(R"({"success":true,"data":[]})")
                                             << "Missing key: message";
    }
    void failureTable()
    {
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, description);
        OneShotServer server;
        server.status = status;
        server.body = body;
        APIClient client(server.base());
        QCOMPARE(errorOf(client.fetchCategories()), description);
    }

    void transportErrorsUseQtText()
    {
        quint16 port;
        {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost, 0);
            port = probe.serverPort();
        }
        APIClient client(QUrl(QStringLiteral("http://127.0.0.1:%1/api").arg(port)));
        QCOMPARE(errorOf(client.fetchCategories()), QStringLiteral("Connection refused"));
    }

    void cancellationAbortsTheRequest()
    {
        OneShotServer server;
        server.silent = true;
        APIClient client(server.base());
        auto token = CancellationScope::create();
        auto task = client.fetchCategories(token);
        QTRY_VERIFY(!server.lastRequest.isEmpty());
        token->cancel();
        QTRY_VERIFY(task.isReady());
        QCOMPARE(errorOf(std::move(task)), QStringLiteral("Operation canceled"));
    }

    void multipartBody()
    {
        const QByteArray body = APIClient::multipartBody("B", "Title", QString(), "c1", {}, "m1", "shot.PNG", "XYZ");
        QCOMPARE(body, QByteArray("--B\r\nContent-Disposition: form-data; name=\"title\"\r\n\r\nTitle\r\n"
                                  "--B\r\nContent-Disposition: form-data; name=\"category_id\"\r\n\r\nc1\r\n"
                                  "--B\r\nContent-Disposition: form-data; name=\"machine_id\"\r\n\r\nm1\r\n"
                                  "--B\r\nContent-Disposition: form-data; name=\"file\"; filename=\"shot.PNG\"\r\n"
                                  "Content-Type: image/png\r\n\r\nXYZ\r\n--B--\r\n"));
        const QByteArray tagged = APIClient::multipartBody("B", "T", QStringLiteral("D"), "c", {"a", "b"}, "m",
                                                           "we\"ird\nname.webp", "");
        QVERIFY(tagged.contains("name=\"description\"\r\n\r\nD\r\n"));
        QVERIFY(tagged.indexOf("name=\"tags[]\"\r\n\r\na\r\n") < tagged.indexOf("name=\"tags[]\"\r\n\r\nb\r\n"));
        QVERIFY(tagged.contains("filename=\"we%22ird%0Aname.webp\"\r\nContent-Type: image/jpeg\r\n"));
    }

    void uploadSendsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("my photo.heic"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("HEICBYTES");
        file.close();
        OneShotServer server;
        server.body = R"({"success":true,"data":{"job_id":"j1","message":"queued"},"message":"ok"})";
        APIClient client(server.base());
        const UploadResponse response =
            run(client.uploadWallpaper(path, "Title", std::nullopt, "c1", {"x"}, "m1"));
        QCOMPARE(response.jobId, QStringLiteral("j1"));
        QVERIFY(server.lastRequest.contains("Content-Type: multipart/form-data; boundary="));
        QVERIFY(server.requestBody().contains("filename=\"my photo.heic\"\r\nContent-Type: image/heic\r\n\r\nHEICBYTES\r\n"));

        // An unreadable file fails before anything is sent.
        server.lastRequest.clear();
        QVERIFY_THROWS_EXCEPTION(FileError, run(client.uploadWallpaper(dir.filePath("missing.jpg"), "Title",
                                                                       std::nullopt, "c1", {}, "m1")));
        QVERIFY(server.lastRequest.isEmpty());
    }

    void deviceIdentity()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
        int lookups = 0;
        DeviceIdentity random(settings, [&] { ++lookups; return QString(); });
        const QString first = random.machineId();
        QCOMPARE(first.size(), 36);
        QCOMPARE(first, first.toUpper());
        QCOMPARE(random.machineId(), first); // stored: the source is not asked again
        QCOMPARE(lookups, 1);

        settings.setValue("lumivane_machine_id", QString());
        DeviceIdentity platform(settings, [] { return QStringLiteral("PLATFORM-ID"); });
        QCOMPARE(platform.machineId(), QStringLiteral("PLATFORM-ID"));
        settings.setValue("lumivane_machine_id", QStringLiteral("not a uuid"));
        QCOMPARE(platform.machineId(), QStringLiteral("not a uuid"));

        // Derived from the machine id, stable, and never the raw id itself.
        QFile idFile(dir.filePath("machine-id"));
        QVERIFY(idFile.open(QIODevice::WriteOnly));
        idFile.write("0123456789abcdef0123456789abcdef\n");
        idFile.close();
        const QString derived = MachineIdSource::applicationMachineUuid(idFile.fileName());
        QCOMPARE(derived, MachineIdSource::applicationMachineUuid(idFile.fileName()));
        QVERIFY(QRegularExpression("^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$").match(derived).hasMatch());
        QVERIFY(!QString(derived).remove(u'-').contains("0123456789ABCDEF"));
        QVERIFY(MachineIdSource::applicationMachineUuid(dir.filePath("absent")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestClientRequests)
#include "tst_client_requests.moc"
