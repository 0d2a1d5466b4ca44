// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/AppError.h"
#include "models/ImageAddress.h"
#include "models/JsonDecoder.h"
#include "models/JsonTree.h"

#include <QJsonArray>
#include <QSet>
#include <QTest>

namespace {

QJsonObject wallpaperJson(const QString &id = QStringLiteral("w1"))
{
    return QJsonDocument::fromJson(QStringLiteral(R"({
        "id": "%1", "title": "Dunes", "description": null, "file_key": "walls/full/dunes.jpg",
        "thumbnail_key": "walls/thumb/dunes.jpg", "width": 3840, "height": 2160, "file_size": 123456,
        "format": "jpg", "is_live": false, "is_featured": true, "featured_order": null,
        "status": "approved", "download_count": 3, "favorite_count": 1, "view_count": 9,
        "tags": ["sand", "desert"], "category": null,
        "created_at": "2024-05-01T10:20:30.123Z", "updated_at": "2024-05-01T10:20:30Z",
        "deleted_at": null, "unknown_extra": {"deep_key": 1}
    })").arg(id).toUtf8()).object();
}

// Every record here is decoded by both readers, QJsonDocument's and the one-pass JsonTree the
// envelopes use: they must give the same record, field for field, or the same error.
Wallpaper decode(const QJsonObject &object)
{
    const auto tree = JsonTree::parse(QJsonDocument(object).toJson());
    if (!tree)
        QTest::qFail("JsonTree declined a plain body", __FILE__, __LINE__);
    std::optional<Wallpaper> viaTree;
    QString treeError;
    try {
        if (tree)
            viaTree = JsonDecoder::decodeWallpaper(tree->root());
    } catch (const DecodingError &error) {
        treeError = error.description();
    }
    try {
        const Wallpaper w = JsonDecoder::decodeWallpaper(JsonDecoder::convertKeys(object));
        const bool same = viaTree && viaTree->fields() == w.fields() &&
                          (!w.category() || viaTree->category()->fields() == w.category()->fields());
        if (!same)
            QTest::qFail(qPrintable(QStringLiteral("the readers differ: JsonTree said ") + treeError), __FILE__, __LINE__);
        return w;
    } catch (const DecodingError &error) {
        if (viaTree || treeError != error.description())
            QTest::qFail(qPrintable(QStringLiteral("the readers differ on: ") + error.description()), __FILE__, __LINE__);
        throw;
    }
}

QString decodeFailure(const QJsonObject &object)
{
    try {
        decode(object);
    } catch (const DecodingError &error) {
        return error.description();
    }
    return QStringLiteral("<decoded>");
}

} // namespace

class TestJsonDecoder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyRule_data();
    void keyRule();
    void keyRuleAppliesAtEveryDepth();
    void decodesFullWallpaperWithAbsentOptionals();
    void recordRulesRejectBadValues();
    void wholeListFailsOnOneBadRecord();
    void dates_data();
    void dates();
    void equalityAndHashById();
    void imageAddressesConcatenateAsText();
};

void TestJsonDecoder::keyRule_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "total_pages" << "totalPages";
    QTest::newRow("no underscore unchanged") << "totalPages" << "totalPages";
    QTest::newRow("first word lowered") << "File_KEY" << "fileKey";
    QTest::newRow("later words capitalised") << "is_LIVE_now" << "isLiveNow";
    QTest::newRow("run of underscores") << "a__b" << "aB";
    QTest::newRow("leading kept") << "_private_key" << "_privateKey";
    QTest::newRow("trailing kept") << "file_key__" << "fileKey__";
    QTest::newRow("only underscores") << "___" << "___";
}

void TestJsonDecoder::keyRule()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(JsonDecoder::convertKey(key), expected);
}

void TestJsonDecoder::keyRuleAppliesAtEveryDepth()
{
    QJsonObject object = wallpaperJson();
    object.insert(QStringLiteral("category"), QJsonObject{{"id", "c1"}, {"name", "Nature"}, {"slug", "nature"},
                                                          {"sort_order", 4}, {"is_active", true},
                                                          {"created_at", "2024-01-01T00:00:00Z"},
                                                          {"updated_at", "2024-01-01T00:00:00Z"}});
    const Wallpaper w = decode(object);
    QVERIFY(w.category().has_value());
    QCOMPARE(w.category()->sortOrder(), 4);
    QVERIFY(w.category()->isActive());

    const QJsonObject converted = JsonDecoder::convertKeys(QJsonObject{{"outer_key", QJsonArray{QJsonObject{{"inner_key", 1}}}}});
    QCOMPARE(converted.value("outerKey").toArray().first().toObject().value("innerKey").toInt(), 1);
}

void TestJsonDecoder::decodesFullWallpaperWithAbsentOptionals()
{
    const Wallpaper w = decode(wallpaperJson());
    QCOMPARE(w.id(), QStringLiteral("w1"));
    QCOMPARE(w.width(), 3840);
    QCOMPARE(w.fileSize(), qint64(123456));
    QCOMPARE(w.tags(), QStringList({"sand", "desert"}));
    QVERIFY(w.isFeatured());
    QVERIFY(!w.featuredOrder().has_value());
    QVERIFY(!w.deletedAt().has_value());
    QVERIFY(!w.category().has_value());

    QJsonObject noTags = wallpaperJson();
    noTags.insert("tags", QJsonArray());
    QVERIFY(decode(noTags).tags().isEmpty());
}

void TestJsonDecoder::recordRulesRejectBadValues()
{
    QJsonObject missingTags = wallpaperJson();
    missingTags.remove("tags");
    QVERIFY(decodeFailure(missingTags).contains(QStringLiteral("tags")));

    QJsonObject nullTitle = wallpaperJson();
    nullTitle.insert("title", QJsonValue::Null);
    QVERIFY(decodeFailure(nullTitle) != QStringLiteral("<decoded>"));

    QJsonObject fractionalWidth = wallpaperJson();
    fractionalWidth.insert("width", 10.5);
    QVERIFY(decodeFailure(fractionalWidth) != QStringLiteral("<decoded>"));

    QJsonObject stringBool = wallpaperJson();
    stringBool.insert("is_live", "false");
    QVERIFY(decodeFailure(stringBool) != QStringLiteral("<decoded>"));

    QJsonObject upperFormat = wallpaperJson();
    upperFormat.insert("format", "JPG");
    QVERIFY(decodeFailure(upperFormat) != QStringLiteral("<decoded>"));

    QJsonObject partialCategory = wallpaperJson();
    partialCategory.insert("category", QJsonObject{{"id", "c1"}, {"name", "Nature"}});
    QVERIFY(decodeFailure(partialCategory) != QStringLiteral("<decoded>"));
}

void TestJsonDecoder::wholeListFailsOnOneBadRecord()
{
    QJsonObject bad = wallpaperJson("w2");
    bad.insert("format", "PNG");
    const QJsonArray list{JsonDecoder::convertKeys(wallpaperJson()), JsonDecoder::convertKeys(bad)};
    QVERIFY_THROWS_EXCEPTION(DecodingError, JsonDecoder::decodeWallpaperList(list));
    QCOMPARE(JsonDecoder::decodeWallpaperList(QJsonArray{JsonDecoder::convertKeys(wallpaperJson())}).size(), 1);
    QVERIFY_THROWS_EXCEPTION(DecodingError, JsonDecoder::parse(QByteArray("<html>")));
    QVERIFY_THROWS_EXCEPTION(DecodingError, JsonDecoder::parse(QByteArray()));
}

void TestJsonDecoder::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected"); // invalid = must fail
    const QDateTime base(QDate(2024, 5, 1), QTime(10, 20, 30), Qt::UTC);
    QTest::newRow("fraction Z") << "2024-05-01T10:20:30.250Z" << base.addMSecs(250);
    QTest::newRow("no fraction") << "2024-05-01T10:20:30Z" << base;
    QTest::newRow("offset") << "2024-05-01T12:20:30+02:00" << base;
    QTest::newRow("space, no zone") << "2024-05-01 10:20:30" << QDateTime();
    QTest::newRow("no zone") << "2024-05-01T10:20:30" << QDateTime();
    QTest::newRow("date only") << "2024-05-01" << QDateTime();
}

void TestJsonDecoder::dates()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    if (expected.isValid()) {
        QCOMPARE(JsonDecoder::decodeDate(text).toUTC(), expected);
        return;
    }
    try {
        JsonDecoder::decodeDate(text);
        QFAIL("accepted an invalid date");
    } catch (const DecodingError &error) {
        QCOMPARE(error.description(), QStringLiteral("Invalid date: ") + text);
    }
}

void TestJsonDecoder::equalityAndHashById()
{
    QJsonObject other = wallpaperJson();
    other.insert("title", "Different");
    const Wallpaper a = decode(wallpaperJson());
    const Wallpaper b = decode(other);
    QVERIFY(a == b);
    QCOMPARE(qHash(a), qHash(b));
    QVERIFY(!(a == decode(wallpaperJson("w9"))));
    QCOMPARE(QSet<Wallpaper>({a, b}).size(), 1);
}

void TestJsonDecoder::imageAddressesConcatenateAsText()
{
    ImageAddress::setBaseURL(QStringLiteral("https://img.example.test/"));
    QCOMPARE(ImageAddress::imageURL(QStringLiteral("walls/sub/x.jpg")).toString(),
             QStringLiteral("https://img.example.test/walls/sub/x.jpg"));
    QCOMPARE(ImageAddress::imageURL(QStringLiteral("/walls/x.jpg")).toString(),
             QStringLiteral("https://img.example.test//walls/x.jpg"));
    QVERIFY(ImageAddress::imageURL(std::nullopt).isEmpty());
    QCOMPARE(decode(wallpaperJson()).thumbnailURL().toString(),
             QStringLiteral("https://img.example.test/walls/thumb/dunes.jpg"));

    QVERIFY(ImageAddress::isAcceptableBaseUrl(QStringLiteral("http://127.0.0.1:8080/")));
    QVERIFY(ImageAddress::isAcceptableBaseUrl(QStringLiteral("http://localhost/")));
    QVERIFY(!ImageAddress::isAcceptableBaseUrl(QStringLiteral("http://example.test/")));
    QVERIFY(ImageAddress::isAcceptableBaseUrl(QStringLiteral("https://example.test/")));
}

QTEST_GUILESS_MAIN(TestJsonDecoder)
#include "tst_jsondecoder.moc"
