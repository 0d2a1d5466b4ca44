// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/AppError.h"
#include "models/ImageAddress.h"
#include "models/JsonDecoder.h"
#include "services/EnvelopeDecoder.h"

#include <QSet>
#include <QTest>

namespace {
QByteArray wallpaperJson(const QString &overrides = {})
{
    QString base = QStringLiteral(R"({"id":"w1","title":"Dune","file_key":"src/w1.jpg","thumbnail_key":"t/w1.jpg",
"medium_key":"m/w1.jpg","full_key":"f/w1.jpg","width":3840,"height":2160,"file_size":2000000,"format":"jpg",
"is_live":false,"is_featured":true,"featured_order":null,"status":"approved","download_count":1,"favorite_count":2,
"view_count":3,"tags":["sand"],"created_at":"2026-01-05T10:20:30.123Z","updated_at":"2026-01-05T10:20:30Z")");
    return (base + overrides + QStringLiteral("}")).toUtf8();
}

Wallpaper decode(const QByteArray &json)
{
    return JsonDecoder::decodeWallpaper(JsonDecoder::convertKeys(JsonDecoder::parse(json).object()));
}
} // namespace

class TestClientRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyRule_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "fileKey" << "fileKey";
        QTest::newRow("two words") << "total_pages" << "totalPages";
        QTest::newRow("three words") << "uploaded_by_id" << "uploadedById";
        QTest::newRow("runs of underscores") << "job__id" << "jobId";
        QTest::newRow("edges kept") << "_private_key_" << "_privateKey_";
        QTest::newRow("upper case folded") << "FILE_KEY" << "fileKey";
    }
    void keyRule()
    {
        QFETCH(QString, key);
        QFETCH(QString, field);
        QCOMPARE(JsonDecoder::convertKey(key), field);
    }

    void dates()
    {
        QCOMPARE(JsonDecoder::decodeDate("2026-01-05T10:20:30.123Z"),
                 QDateTime(QDate(2026, 1, 5), QTime(10, 20, 30, 123), Qt::UTC));
        QCOMPARE(JsonDecoder::decodeDate("2026-01-05T10:20:30Z"), QDateTime(QDate(2026, 1, 5), QTime(10, 20, 30), Qt::UTC));
        QCOMPARE(JsonDecoder::decodeDate("2026-01-05T12:20:30+02:00"),
                 QDateTime(QDate(2026, 1, 5), QTime(10, 20, 30), Qt::UTC));
        for (const char *bad : {"2026-01-05 10:20:30Z", "2026-01-05T10:20:30", "2026-02-30T10:20:30Z", ""}) {
            try {
                JsonDecoder::decodeDate(QString::fromLatin1(bad));
                QFAIL(bad);
            } catch (const DecodingError &e) {
                QCOMPARE(e.description(), QStringLiteral("Invalid date: ") + QLatin1String(bad));
            }
        }
    }

    void wallpaperFields()
    {
        const Wallpaper w = decode(wallpaperJson(R"(,"category":null,"deleted_at":null)"));
        QCOMPARE(w.id(), QStringLiteral("w1"));
        QCOMPARE(w.fileSize(), 2000000);
        QVERIFY(!w.featuredOrder().has_value());
        QVERIFY(!w.category().has_value());
        QVERIFY(!w.deletedAt().has_value());
        QCOMPARE(w.tags(), QStringList{"sand"});
    }

    void strictRules_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("upper-case format") << wallpaperJson().replace("\"jpg\"", "\"JPG\"");
        QTest::newRow("unknown format") << wallpaperJson().replace("\"jpg\"", "\"webp\"");
        QTest::newRow("unknown status") << wallpaperJson().replace("\"approved\"", "\"live\"");
        QTest::newRow("missing tags") << wallpaperJson().replace("\"tags\":[\"sand\"],", "");
        QTest::newRow("null title") << wallpaperJson().replace("\"title\":\"Dune\"", "\"title\":null");
        QTest::newRow("width as text") << wallpaperJson().replace("\"width\":3840", "\"width\":\"3840\"");
        QTest::newRow("fractional width") << wallpaperJson().replace("\"width\":3840", "\"width\":3840.5");
        QTest::newRow("partial category") << wallpaperJson(R"(,"category":{"id":"c","name":"N","slug":"n"})");
    }
    void strictRules()
    {
        QFETCH(QByteArray, json);
        QVERIFY_THROWS_EXCEPTION(DecodingError, decode(json));
    }

    void oneBadRecordFailsTheList()
    {
        const QByteArray body = "{\"success\":true,\"message\":\"ok\",\"data\":[" + wallpaperJson() + ","
            + wallpaperJson().replace("\"jpg\"", "\"JPG\"") + "]}";
        QVERIFY_THROWS_EXCEPTION(DecodingError, EnvelopeDecoder::wallpaperList(body));
    }

    void envelopes()
    {
        // A paged list without pagination decodes; an envelope without message does not.
        const auto page = EnvelopeDecoder::wallpaperPage("{\"success\":true,\"data\":[" + wallpaperJson() + "]}");
        QCOMPARE(page.data.size(), 1);
        QVERIFY(!page.pagination.has_value());
        const auto paged = EnvelopeDecoder::wallpaperPage(R"({"success":true,"data":[],"pagination":{"page":2,"total_pages":2}})");
        QCOMPARE(paged.pagination->totalPages, 2);
        QVERIFY(!paged.pagination->limit.has_value());
        QVERIFY_THROWS_EXCEPTION(DecodingError, EnvelopeDecoder::wallpaperList(R"({"success":true,"data":[]})"));
        QVERIFY_THROWS_EXCEPTION(DecodingError, EnvelopeDecoder::stringResponse(R"({"success":false,"data":null,"message":"x"})"));
        QVERIFY_THROWS_EXCEPTION(DecodingError, EnvelopeDecoder::stringResponse("<html>oops</html>"));
        QVERIFY_THROWS_EXCEPTION(DecodingError, EnvelopeDecoder::stringResponse(""));
    }

    void equalityById()
    {
        const Wallpaper a = decode(wallpaperJson());
        const Wallpaper b = decode(wallpaperJson().replace("\"Dune\"", "\"Other\""));
        QCOMPARE(a, b);
        QCOMPARE((QSet<Wallpaper>{a, b}).size(), 1);
    }

    void imageAddresses()
    {
        ImageAddress::setBaseURL(QStringLiteral("https://img.example/"));
        QCOMPARE(ImageAddress::imageURL(QStringLiteral("a/b/c.jpg")), QUrl("https://img.example/a/b/c.jpg"));
        QCOMPARE(ImageAddress::imageURL(QStringLiteral("/x.jpg")).toString(), QStringLiteral("https://img.example//x.jpg"));
        QVERIFY(ImageAddress::imageURL(std::nullopt).isEmpty());
        const Wallpaper mediumOnly = decode(wallpaperJson().replace("\"thumbnail_key\":\"t/w1.jpg\",", "").replace("\"full_key\":\"f/w1.jpg\",", ""));
        QVERIFY(mediumOnly.thumbnailURL().isEmpty());
        QCOMPARE(mediumOnly.previewURL(), QUrl("https://img.example/m/w1.jpg"));
        QCOMPARE(mediumOnly.fullImageURL(), QUrl("https://img.example/m/w1.jpg"));
        QVERIFY(ImageAddress::isAcceptableBaseUrl("http://127.0.0.1:8787/images/"));
        QVERIFY(!ImageAddress::isAcceptableBaseUrl("http://example.com/images/"));
    }
};

QTEST_GUILESS_MAIN(TestClientRecords)
#include "tst_client_records.moc"
