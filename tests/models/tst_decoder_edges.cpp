// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/AppError.h"
#include "models/JsonDecoder.h"

#include <QTest>

// Inputs at the edges of the key and date rules that the service could plausibly send.
class TestDecoderEdges : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void datesMustFillTheWholeString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("trailing newline") << QStringLiteral("2024-05-01T10:20:30Z\n");
        QTest::newRow("trailing newline after fraction") << QStringLiteral("2024-05-01T10:20:30.5+02:00\n");
        QTest::newRow("leading newline") << QStringLiteral("\n2024-05-01T10:20:30Z");
        QTest::newRow("trailing space") << QStringLiteral("2024-05-01T10:20:30Z ");
        QTest::newRow("two dates") << QStringLiteral("2024-05-01T10:20:30Z\n2024-05-01T10:20:30Z");
        QTest::newRow("non-ASCII digits") << QStringLiteral("\u0662\u0660\u0662\u0664-05-01T10:20:30Z");
        QTest::newRow("offset without colon") << QStringLiteral("2024-05-01T10:20:30+0200");
        QTest::newRow("offset hours out of range") << QStringLiteral("2024-05-01T10:20:30+24:00");
        QTest::newRow("hour 24") << QStringLiteral("2024-05-01T24:00:00Z");
        QTest::newRow("empty fraction") << QStringLiteral("2024-05-01T10:20:30.Z");
    }
    void datesMustFillTheWholeString()
    {
        QFETCH(QString, text);
        try {
            JsonDecoder::decodeDate(text);
            QFAIL("accepted");
        } catch (const DecodingError &error) {
            QCOMPARE(error.description(), QStringLiteral("Invalid date: ") + text);
        }
    }

    void longFractionsAreTruncatedToMilliseconds()
    {
        QCOMPARE(JsonDecoder::decodeDate(QStringLiteral("2024-05-01T10:20:30.123456789Z")),
                 QDateTime(QDate(2024, 5, 1), QTime(10, 20, 30, 123), Qt::UTC));
        QCOMPARE(JsonDecoder::decodeDate(QStringLiteral("2024-05-01T10:20:30.5Z")),
                 QDateTime(QDate(2024, 5, 1), QTime(10, 20, 30, 500), Qt::UTC));
    }

    // Both spellings in one object: the key that needs no conversion wins, whatever order the
    // service wrote them in.
    void exactKeyWinsACollision_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("snake first") << QByteArray(R"({"file_key":"snake","fileKey":"exact"})");
        QTest::newRow("exact first") << QByteArray(R"({"fileKey":"exact","file_key":"snake"})");
        QTest::newRow("upper snake") << QByteArray(R"({"FILE_KEY":"snake","fileKey":"exact","file__key":"run"})");
        QTest::newRow("exact null") << QByteArray(R"({"fileKey":null,"file_key":"snake"})");
    }
    void exactKeyWinsACollision()
    {
        QFETCH(QByteArray, json);
        const QJsonObject converted = JsonDecoder::convertKeys(JsonDecoder::parse(json).object());
        QCOMPARE(converted.size(), 1);
        const QJsonValue value = converted.value(QStringLiteral("fileKey"));
        QCOMPARE(value, json.contains("\"fileKey\":null") ? QJsonValue(QJsonValue::Null) : QJsonValue("exact"));
    }

    // Only converted spellings: the one that sorts first wins ('F' < '_' < 'f' < 'k').
    void firstSortedKeyWinsAmongConverted()
    {
        const auto pick = [](const QByteArray &json) {
            return JsonDecoder::convertKeys(JsonDecoder::parse(json).object()).value(QStringLiteral("fileKey")).toString();
        };
        QCOMPARE(pick(R"({"file_key":"one","file__key":"run"})"), QStringLiteral("run"));
        QCOMPARE(pick(R"({"file__key":"run","file_key":"one"})"), QStringLiteral("run"));
        QCOMPARE(pick(R"({"file_key":"one","FILE_KEY":"upper"})"), QStringLiteral("upper"));
        QCOMPARE(pick(R"({"FILE_KEY":"upper","file_key":"one"})"), QStringLiteral("upper"));

        // The same rule holds inside nested objects and arrays.
        const QJsonObject nested = JsonDecoder::convertKeys(
            JsonDecoder::parse(R"({"data":[{"job_id":"a","jobId":"b"},{"JOB_ID":"c","job_id":"d"}]})").object());
        const QJsonArray data = nested.value(QStringLiteral("data")).toArray();
        QCOMPARE(data.at(0).toObject().value(QStringLiteral("jobId")).toString(), QStringLiteral("b"));
        QCOMPARE(data.at(1).toObject().value(QStringLiteral("jobId")).toString(), QStringLiteral("c"));
    }
};

QTEST_GUILESS_MAIN(TestDecoderEdges)
#include "tst_decoder_edges.moc"
