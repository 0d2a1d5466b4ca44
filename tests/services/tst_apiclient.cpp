#include "APIClient.h"
#include "APIError.h"
#include "AppError.h"
#include "CancellationScope.h"
#include "ScriptedHttpServer.h"
#include "TestSupport.h"

#include <QCoroTask>
#include <QNetworkReply>
#include <QTest>

namespace {

const QByteArray categoriesBody = R"({"success":true,"data":[
    {"id":"c1","name":"Nature","slug":"nature","sort_order":1,"is_active":true,
     "created_at":"2024-01-01T00:00:00Z","updated_at":"2024-01-01T00:00:00Z"}]})";

template<typename T> QString errorText(QCoro::Task<T> &task)
{
    try {
        TestSupport::run(std::move(task));
    } catch (const AppError &error) {
        return error.description();
    }
    return QStringLiteral("<no error>");
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
    void requestsGoUnderApiWithEncodedSegmentsAndOrderedQuery();
    void failureStatusesMapToErrors_data();
    void failureStatusesMapToErrors();
    void transportFailureSurfacesAsTransportError();
    void cancellationAbortsInFlightRequest();
};

void TestAPIClient::requestsGoUnderApiWithEncodedSegmentsAndOrderedQuery()
{
    ScriptedHttpServer server;
    APIClient client(apiBase(server));

    const QNetworkRequest request = client.makeRequest(QStringLiteral("/wallpapers/a b?c"),
                                                       {{"page", "2"}, {"limit", "20"}, {"category", "x"}});
    const QString url = request.url().toString(QUrl::FullyEncoded);
    QCOMPARE(url, server.url().toString() + QStringLiteral("/api/wallpapers/a%20b%3Fc?page=2&limit=20&category=x"));
    QCOMPARE(request.transferTimeout(), 60000);
    QCOMPARE(request.header(QNetworkRequest::ContentTypeHeader).toString(), QStringLiteral("application/json"));
    QVERIFY(!client.makeRequest(QStringLiteral("/categories")).url().toString().contains(u'?'));

    server.on("GET", "/api/categories", ScriptedHttpServer::Response::json(categoriesBody));
    auto task = client.fetchCategories();
    const QList<Category> categories = TestSupport::run(std::move(task));
    QCOMPARE(categories.size(), 1);
    QCOMPARE(categories.first().name(), QStringLiteral("Nature"));
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(server.requests().first().method, QByteArray("GET"));
    QCOMPARE(server.requests().first().rawPath, QByteArray("/api/categories"));
}

void TestAPIClient::failureStatusesMapToErrors_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");
    QTest::newRow("envelope message") << 404 << QByteArray(R"({"success":false,"data":"","message":"Not found here"})")
                                      << QStringLiteral("Not found here");
    QTest::newRow("data null") << 404 << QByteArray(R"({"success":false,"data":null,"message":"x"})")
                               << QStringLiteral("Server error (404)");
    QTest::newRow("500 empty") << 500 << QByteArray() << QStringLiteral("Server error (500)");
    QTest::newRow("html page") << 502 << QByteArray("<html><body>Bad gateway</body></html>")
                               << QStringLiteral("Server error (502)");
}

void TestAPIClient::failureStatusesMapToErrors()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    ScriptedHttpServer server;
    server.enqueue(ScriptedHttpServer::Response::json(body, status));
    APIClient client(apiBase(server));
    auto task = client.fetchCategories();
    QCOMPARE(errorText(task), expected);
}

void TestAPIClient::transportFailureSurfacesAsTransportError()
{
    ScriptedHttpServer server;
    ScriptedHttpServer::Response drop;
    drop.closeWithoutResponse = true;
    server.enqueue(drop);
    APIClient client(apiBase(server));
    auto task = client.fetchCategories();
    bool thrown = false;
    try {
        TestSupport::run(std::move(task));
    } catch (const TransportError &error) {
        thrown = true;
        QVERIFY(!error.description().isEmpty());
    }
    QVERIFY(thrown);
}

void TestAPIClient::cancellationAbortsInFlightRequest()
{
    ScriptedHttpServer server;
    ScriptedHttpServer::Response stall;
    stall.stall = true;
    server.enqueue(stall);
    APIClient client(apiBase(server));
    auto token = std::make_shared<CancellationScope>();
    auto task = client.fetchCategories(token);
    QVERIFY(TestSupport::waitUntil([&] { return server.requestCount() == 1; }));
    token->cancel();
    QVERIFY(TestSupport::waitFor(task, 5000));
    QVERIFY_THROWS_EXCEPTION(TransportError, TestSupport::run(std::move(task)));

    auto late = client.fetchCategories(token);
    QVERIFY_THROWS_EXCEPTION(TransportError, TestSupport::run(std::move(late)));
    QCOMPARE(server.requestCount(), 1); // nothing sent once cancelled
}

QTEST_GUILESS_MAIN(TestAPIClient)
#include "tst_apiclient.moc"
