// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a seeded reference service and the real app window offscreen, and reads the window's
// items: the featured hero with a title and at least one category row with cards, no skeleton
// and no error panel.
#include "app/LumivaneApp.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <functional>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)

namespace {

QList<QQuickItem *> itemsWhere(QQuickItem *root, const std::function<bool(QQuickItem *)> &match)
{
    QList<QQuickItem *> found, pending{root};
    while (!pending.isEmpty()) {
        QQuickItem *item = pending.takeFirst();
        if (match(item))
            found.append(item);
        pending.append(item->childItems());
    }
    return found;
}

bool reallyVisible(QQuickItem *item)
{
    for (QQuickItem *at = item; at; at = at->parentItem())
        if (!at->isVisible() || at->opacity() <= 0.01)
            return false;
    return item->width() > 0 && item->height() > 0;
}

} // namespace

class TestEndToEndHome : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    QProcess service;

private Q_SLOTS:
    void initTestCase()
    {
        const QString serviceBinary = qEnvironmentVariable("LUMIVANE_TEST_BINARY_DIR") + QStringLiteral("/service/lumivane-service");
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
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(listening.match(output).captured(1));
        qputenv("LUMIVANE_API_BASE_URL", (base + QStringLiteral("/api")).toUtf8());
        qputenv("LUMIVANE_IMAGE_BASE_URL", (base + QStringLiteral("/images/")).toUtf8());
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
        LumivaneApp app;
        QVERIFY(app.start());
        auto *window = qobject_cast<QQuickWindow *>(app.engine().rootObjects().value(0));
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        const auto named = [window](const char *name) {
            return itemsWhere(window->contentItem(), [name](QQuickItem *item) {
                return item->objectName() == QLatin1String(name) && reallyVisible(item);
            });
        };
        const auto rowWithCards = [&] {
            for (QQuickItem *row : named("categoryRow"))
                if (!itemsWhere(row, [](QQuickItem *i) { return i->objectName() == QLatin1String("wallpaperCard"); }).isEmpty())
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!named("hero").isEmpty() && rowWithCards(), 30000);
        const QList<QQuickItem *> titles = named("heroTitle");
        QVERIFY(!titles.isEmpty());
        QVERIFY(!titles.first()->property("text").toString().isEmpty());
        QVERIFY(named("errorPanel").isEmpty());
        QVERIFY(itemsWhere(window->contentItem(), [](QQuickItem *i) {
                    return i->inherits("QQuickItem") && QByteArray(i->metaObject()->className()).startsWith("LoadingSkeletonView")
                        && reallyVisible(i);
                }).isEmpty());
    }
};

int main(int argc, char *argv[])
{
    QGuiApplication::setOrganizationName(QStringLiteral("Lumivane"));
    QGuiApplication::setApplicationName(QStringLiteral("Lumivane"));
    QGuiApplication app(argc, argv);
    LumivaneApp::loadIconFont();
    TestEndToEndHome test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_home.moc"
