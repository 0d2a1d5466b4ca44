// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a seeded reference service and the real lumivane binary offscreen, and reads what the
// window reports it shows: the featured hero and at least one category row with cards.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestEndToEndHome : public QObject
{
    Q_OBJECT

    QString binaryDir = qEnvironmentVariable("LUMIVANE_TEST_BINARY_DIR");
    QTemporaryDir temp;
    QProcess service;
    int port = 0;

private Q_SLOTS:
    void initTestCase()
    {
        const QString serviceBinary = binaryDir + QStringLiteral("/service/lumivane-service");
        if (!QFile::exists(serviceBinary))
            QSKIP("the reference service is not built");
        const QString data = temp.filePath(QStringLiteral("catalogue"));
        QCOMPARE(QProcess::execute(serviceBinary, {QStringLiteral("seed"), QStringLiteral("--data"), data,
                                                   QStringLiteral("--small")}), 0);
        service.start(serviceBinary, {QStringLiteral("serve"), QStringLiteral("--data"), data,
                                      QStringLiteral("--port"), QStringLiteral("0")});
        QVERIFY(service.waitForStarted());
        QRegularExpression listening(QStringLiteral("listening on [^:]+:(\\d+)"));
        QString output;
        QTRY_VERIFY_WITH_TIMEOUT((output += QString::fromUtf8(service.readAllStandardOutput()),
                                  listening.match(output).hasMatch()), 10000);
        port = listening.match(output).captured(1).toInt();
        QVERIFY(port > 0);
    }

    void cleanupTestCase()
    {
        if (service.state() != QProcess::NotRunning) {
            service.terminate();
            if (!service.waitForFinished(3000))
                service.kill();
        }
    }

    void homeShowsHeroAndRows()
    {
        const QString stateFile = temp.filePath(QStringLiteral("ui-state.json"));
        QProcess app;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LUMIVANE_API_BASE_URL"), QStringLiteral("http://127.0.0.1:%1/api").arg(port));
        env.insert(QStringLiteral("LUMIVANE_IMAGE_BASE_URL"), QStringLiteral("http://127.0.0.1:%1/images/").arg(port));
        env.insert(QStringLiteral("LUMIVANE_UI_STATE_FILE"), stateFile);
        app.setProcessEnvironment(env);
        app.start(binaryDir + QStringLiteral("/src/lumivane"), {});
        QVERIFY(app.waitForStarted());

        QJsonObject screen;
        auto showsContent = [&] {
            QFile file(stateFile);
            if (!file.open(QIODevice::ReadOnly))
                return false;
            const QJsonObject state = QJsonDocument::fromJson(file.readAll()).object();
            screen = state.value(QStringLiteral("screen")).toObject();
            if (state.value(QStringLiteral("tab")).toString() != QLatin1String("Home"))
                return false;
            const QJsonArray rows = screen.value(QStringLiteral("categoryRows")).toArray();
            return screen.value(QStringLiteral("heroVisible")).toBool() && !rows.isEmpty()
                && rows.first().toObject().value(QStringLiteral("cards")).toInt() > 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(showsContent(), 30000);
        QVERIFY(!screen.value(QStringLiteral("heroTitle")).toString().isEmpty());
        QVERIFY(!screen.value(QStringLiteral("skeleton")).toBool());
        QCOMPARE(screen.value(QStringLiteral("error")).toString(), QString());

        app.terminate();
        if (!app.waitForFinished(5000))
            app.kill();
    }
};

QTEST_GUILESS_MAIN(TestEndToEndHome)
#include "tst_e2e_home.moc"
