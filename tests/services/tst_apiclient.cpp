// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/AppError.h"
#include "models/ImageAddress.h"
#include "ScriptedHttpServer.h"
#include "services/APIClient.h"
#include "services/APIError.h"
#include "services/CancellationScope.h"
#include "TestSupport.h"

#include <QCoroTask>
#include <QDir>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

// What tests/client does not cover: every endpoint's method, path and result, 2xx and non-2xx
// edges, answers that are not HTTP or arrive truncated, and requests in flight side by side.
namespace {

using TestSupport::errorText;

using Response = ScriptedHttpServer::Response;

const QByteArray wallpaper = R"({"id":"w1","title":"Dunes","file_key":"f/w1.jpg","width":10,"height":20,
"file_size":300,"format":"png","is_live":false,"is_featured":false,"status":"pending","download_count":0,
"favorite_count":0,"view_count":0,"tags":[],"created_at":"2024-01-01T00:00:00Z","updated_at":"2024-01-01T00:00:00Z"})";

const QByteArray categoriesBody = R"({"success":true,"message":"ok","data":[
    {"id":"c1","name":"Nature","slug":"nature","sort_order":1,"is_active":true,
     "created_at":"2024-01-01T00:00:00Z","updated_at":"2024-01-01T00:00:00Z"}]})";

QByteArray envelope(const QByteArray &data)
{
    return R"({"success":true,"message":"ok","data":)" + data + "}";
}

QUrl apiBase(const ScriptedHttpServer &server)
{
    return QUrl(server.url().toString() + QStringLiteral("/api"));
}

} // namespace

class TestAPIClient : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyEndpointUsesItsMethodAndPath();
    void pagedListKeepsPaginationAndIgnoresSuccessFlag();
    void recordViewNeedsAStringEnvelope();
    void statusOutcomes_data();
    void statusOutcomes();
    void answerThatIsNotHttpIsInvalidResponse();
    void truncatedBodyIsATransportError();
    void cancellingOneScopeLeavesOtherRequests();
    void idsAndKeysThatWouldLeaveTheirPathAreRefused();
};

void TestAPIClient::idsAndKeysThatWouldLeaveTheirPathAreRefused()
{
    ScriptedHttpServer server;
    APIClient client(apiBase(server));
    for (const QString id : {"..", ".", "../../etc/passwd", "a/b", "%2e%2E", "..\\x", ""}) {
        QCOMPARE(errorText(client.fetchWallpaper(id)), QStringLiteral("Invalid server response"));
        QCOMPARE(errorText(client.fetchDownloadInfo(id)), QStringLiteral("Invalid server response"));
        QCOMPARE(errorText(client.recordView(id)), QStringLiteral("Invalid server response"));
        QCOMPARE(errorText(client.fetchUploadStatus(id)), QStringLiteral("Invalid server response"));
    }
    QCOMPARE(server.requestCount(), 0); // refused before any request

    ImageAddress::setBaseURL(server.url().toString() + QStringLiteral("/images/"));
    for (const QString key : {"../../etc/passwd", "wallpapers/../../api/x", "a/%2E%2E/b", "a/./b", "..\\x"})
        QVERIFY2(ImageAddress::imageURL(key).isEmpty(), qPrintable(key));
    QCOMPARE(ImageAddress::imageURL(QStringLiteral("wallpapers/w1/full.jpg")).path(),
             QStringLiteral("/images/wallpapers/w1/full.jpg"));
    QCOMPARE(ImageAddress::imageURL(QStringLiteral("wallpapers/w1/a..b.jpg")).path(),
             QStringLiteral("/images/wallpapers/w1/a..b.jpg"));
}

void TestAPIClient::everyEndpointUsesItsMethodAndPath()
{
    ScriptedHttpServer server;
    APIClient client(apiBase(server));
    server.on("GET", "/api/wallpapers/featured", Response::json(envelope("[" + wallpaper + "]")));
    server.on("GET", "/api/categories", Response::json(categoriesBody));
    server.on("GET", "/api/wallpapers/w 1", Response::json(envelope(wallpaper)));
    server.on("GET", "/api/wallpapers/w1/download",
              Response::json(envelope(R"({"url":"http://127.0.0.1/f.jpg","filename":"f.jpg"})")));
    server.on("GET", "/api/uploads/status/j1",
              Response::json(envelope(R"({"status":"completed","wallpaper":)" + wallpaper + "}")));
    server.on("GET", "/api/uploads/my-uploads", Response::json(envelope("[" + wallpaper + "]")));

    QCOMPARE(TestSupport::run(client.fetchFeatured()).size(), 1);
    QCOMPARE(TestSupport::run(client.fetchCategories()).first().name(), QStringLiteral("Nature"));
    QCOMPARE(TestSupport::run(client.fetchWallpaper(QStringLiteral("w 1"))).title(), QStringLiteral("Dunes"));
    const WallpaperDownload download = TestSupport::run(client.fetchDownloadInfo(QStringLiteral("w1")));
    QCOMPARE(download.filename, QStringLiteral("f.jpg"));
    const ProcessingStatus status = TestSupport::run(client.fetchUploadStatus(QStringLiteral("j1")));
    QCOMPARE(status.status, QStringLiteral("completed"));
    QVERIFY(!status.message.has_value());
    QCOMPARE(status.wallpaper->id(), QStringLiteral("w1"));
    QCOMPARE(TestSupport::run(client.fetchMyUploads(QStringLiteral("M 1&2"))).size(), 1);

    const QList<QByteArray> expected{"/api/wallpapers/featured", "/api/categories", "/api/wallpapers/w%201",
                                     "/api/wallpapers/w1/download", "/api/uploads/status/j1", "/api/uploads/my-uploads"};
    QCOMPARE(server.requestCount(), int(expected.size()));
    for (int i = 0; i < server.requestCount(); ++i) {
        QCOMPARE(server.requests()[i].method, QByteArray("GET"));
        QCOMPARE(server.requests()[i].rawPath, expected[i]);
        QCOMPARE(server.requests()[i].headers.value("content-type"), QByteArray("application/json"));
    }
    QVERIFY(server.requests()[0].rawQuery.isEmpty());
    const auto myUploadsQuery = server.requests().last().queryItems;
    QCOMPARE(myUploadsQuery.size(), 1);
    QCOMPARE(myUploadsQuery.first(), qMakePair(QStringLiteral("machine_id"), QStringLiteral("M 1&2")));
}

void TestAPIClient::pagedListKeepsPaginationAndIgnoresSuccessFlag()
{
    ScriptedHttpServer server;
    server.enqueue(Response::json(R"({"success":false,"data":[)" + wallpaper
                                  + R"(],"pagination":{"page":1,"limit":20,"total":41,"total_pages":3}})"));
    APIClient client(apiBase(server));
    const PaginatedResponse<Wallpaper> page = TestSupport::run(client.fetchWallpapers(1, 20));
    QVERIFY(!page.success);
    QCOMPARE(page.data.size(), 1);
    QCOMPARE(page.pagination->total, 41);
    QCOMPARE(page.pagination->totalPages, 3);
    QCOMPARE(server.requests().first().rawQuery, QByteArray("page=1&limit=20"));
}

void TestAPIClient::recordViewNeedsAStringEnvelope()
{
    ScriptedHttpServer server;
    server.enqueue(Response::json(R"({"success":true,"data":"recorded","message":"ok"})"));
    server.enqueue(Response::json(R"({"success":true,"data":{"views":3},"message":"ok"})"));
    APIClient client(apiBase(server));
    TestSupport::run(client.recordView(QStringLiteral("w1")));
    QCOMPARE(server.requests().first().method, QByteArray("POST"));
    QCOMPARE(server.requests().first().rawPath, QByteArray("/api/wallpapers/w1/view"));
    QVERIFY(server.requests().first().body.isEmpty());
    QVERIFY_THROWS_EXCEPTION(DecodingError, TestSupport::run(client.recordView(QStringLiteral("w1"))));
}

void TestAPIClient::statusOutcomes_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");
    QTest::newRow("201 is success") << 201 << categoriesBody << QStringLiteral("<no error>");
    QTest::newRow("299 is success") << 299 << categoriesBody << QStringLiteral("<no error>");
    QTest::newRow("204 empty body fails to decode") << 204 << QByteArray() << QStringLiteral("<decoding>");
    QTest::newRow("300 is not success") << 300 << categoriesBody << QStringLiteral("Server error (300)");
    QTest::newRow("401 envelope") << 401 << QByteArray(R"({"success":false,"data":"auth","message":"Sign in"})")
                                  << QStringLiteral("Sign in");
    // Qt's HTTP stack answers a 407 itself (no proxy credentials) and reports a transport
    // error, so the envelope never reaches the client; what the user sees is Qt's text.
    QTest::newRow("407 is a transport error") << 407 << QByteArray(R"({"success":false,"data":"proxy","message":"Proxy says no"})")
                                              << QStringLiteral("other: Proxy requires authentication");
    QTest::newRow("no success flag") << 400 << QByteArray(R"({"data":"bad","message":"Bad"})")
                                     << QStringLiteral("Server error (400)");
    QTest::newRow("message not a string") << 400 << QByteArray(R"({"success":false,"data":"bad","message":7})")
                                          << QStringLiteral("Server error (400)");
    QTest::newRow("data a number") << 422 << QByteArray(R"({"success":false,"data":1,"message":"Bad"})")
                                   << QStringLiteral("Server error (422)");
    QTest::newRow("JSON array") << 503 << QByteArray("[]") << QStringLiteral("Server error (503)");
}

void TestAPIClient::statusOutcomes()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    ScriptedHttpServer server;
    server.enqueue(Response::json(body, status));
    APIClient client(apiBase(server));
    QString actual;
    try {
        TestSupport::run(client.fetchCategories());
        actual = QStringLiteral("<no error>");
    } catch (const DecodingError &) {
        actual = QStringLiteral("<decoding>");
    } catch (const APIError &error) {
        actual = error.description();
    } catch (const AppError &error) {
        actual = QStringLiteral("other: ") + error.description();
    }
    QCOMPARE(actual, expected);
}

void TestAPIClient::answerThatIsNotHttpIsInvalidResponse()
{
    // A file: URL answers without an HTTP status.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("api")));
    QFile file(dir.filePath(QStringLiteral("api/categories")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(categoriesBody);
    file.close();
    APIClient client(QUrl::fromLocalFile(dir.filePath(QStringLiteral("api"))));
    QCOMPARE(errorText(client.fetchCategories()), QStringLiteral("Invalid server response"));
}

void TestAPIClient::truncatedBodyIsATransportError()
{
    // The headers promise more than arrives: that is a broken transfer, not a bad document.
    QTcpServer raw;
    QVERIFY(raw.listen(QHostAddress::LocalHost, 0));
    connect(&raw, &QTcpServer::newConnection, &raw, [&raw] {
        QTcpSocket *socket = raw.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: 500\r\n\r\n"
                          R"({"success":true,"data":[)");
            socket->flush();
            socket->disconnectFromHost();
        });
    });
    APIClient client(QUrl(QStringLiteral("http://127.0.0.1:%1/api").arg(raw.serverPort())));
    QVERIFY_THROWS_EXCEPTION(TransportError, TestSupport::run(client.fetchCategories()));
}

void TestAPIClient::cancellingOneScopeLeavesOtherRequests()
{
    ScriptedHttpServer server;
    Response stall;
    stall.stall = true;
    server.on("GET", "/api/categories", stall);
    Response late = Response::json(envelope("[" + wallpaper + "]"));
    late.delayMs = 200;
    server.on("GET", "/api/wallpapers/featured", late);
    APIClient client(apiBase(server));

    auto first = CancellationScope::create();
    auto second = CancellationScope::create();
    auto stalled = client.fetchCategories(first);
    auto featured = client.fetchFeatured(second);
    QVERIFY(TestSupport::waitUntil([&] { return server.requestCount() == 2; }));
    QVERIFY(!featured.isReady()); // both are in flight at once
    first->cancel();
    QVERIFY_THROWS_EXCEPTION(TransportError, TestSupport::run(std::move(stalled)));
    QCOMPARE(TestSupport::run(std::move(featured)).size(), 1);

    // A scope already cancelled sends nothing at all.
    QVERIFY_THROWS_EXCEPTION(TransportError, TestSupport::run(client.fetchWallpaper(QStringLiteral("w1"), first)));
    QCOMPARE(server.requestCount(), 2);
}

QTEST_GUILESS_MAIN(TestAPIClient)
#include "tst_apiclient.moc"
