// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LumivaneApp.h"
#include "config/AppConfig.h"
#include "imaging/ImageNetworkAccessManager.h"
#include "imaging/ImageNetworkAccessManagerFactory.h"
#include "imaging/RemotePictureProvider.h"
#include "ScriptedHttpServer.h"
#include "TestSupport.h"
#include "viewmodels/AppState.h"
#include "viewmodels/AppTab.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QtPlugin>
#include <QQmlApplicationEngine>
#include <QQuickTextureFactory>
#include <QQuickWindow>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <optional>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)
Q_IMPORT_PLUGIN(HeicImagePlugin)

namespace {

// The error a GET through `manager` ends with (NoError when it succeeded), and how long it took.
QPair<QNetworkReply::NetworkError, qint64> fetch(QNetworkAccessManager &manager, const QUrl &url)
{
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(url)));
    TestSupport::waitUntil([&] { return reply->isFinished(); }, 10000);
    return {reply->error(), clock.elapsed()};
}

} // namespace

class TestAppCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabRawValues()
    {
        QCOMPARE(appTabFromRawValue(QStringLiteral("Library")), AppTab::Library);
        QVERIFY(!appTabFromRawValue(QStringLiteral("home")).has_value());
        QVERIFY(!appTabFromRawValue(QString()).has_value());
        QStringList titles;
        for (AppTab tab : allAppTabs())
            titles << rawValue(tab);
        QCOMPARE(titles, QStringList({"Home", "Explore", "Library", "Upload"}));
    }

    void stateNotifiesOnlyOnChange()
    {
        AppState state;
        QCOMPARE(state.currentTab(), AppTab::Home);
        QVERIFY(!state.showSettings());
        QSignalSpy tabSpy(&state, &AppState::currentTabChanged);
        state.setCurrentTab(AppTab::Home);
        QCOMPARE(tabSpy.count(), 0);
        state.setCurrentTabName(QStringLiteral("Explore"));
        QCOMPARE(state.currentTab(), AppTab::Explore);
        state.setCurrentTabName(QStringLiteral("explore")); // not a tab: ignored
        QCOMPARE(state.currentTab(), AppTab::Explore);
        QCOMPARE(tabSpy.count(), 1);
        QCOMPARE(state.pillTabs(), QStringList({"Home", "Explore", "Library"}));
    }

    void changeIntervals()
    {
        QList<int> minutes;
        QStringList names;
        for (auto interval : AppConfig::allChangeIntervals()) {
            minutes << AppConfig::rawValue(interval);
            names << AppConfig::displayName(interval);
        }
        QCOMPARE(minutes, QList<int>({15, 30, 60, 120, 240, 1440}));
        QCOMPARE(names, QStringList({"15 minutes", "30 minutes", "1 hour", "2 hours", "4 hours", "Daily"}));
        QVERIFY(!AppConfig::changeIntervalFromRawValue(45).has_value());
        QCOMPARE(AppConfig::changeIntervalFromRawValue(240), AppConfig::ChangeInterval::fourHours);
    }

    void imageLoadsAreBoundedAndNotPipelined()
    {
        QTemporaryDir cache;
        ImageNetworkAccessManagerFactory factory(cache.path(), 1'000'000);
        QObject owner;
        auto *fromFactory = qobject_cast<ImageNetworkAccessManager *>(factory.create(&owner));
        QVERIFY(fromFactory);
        QVERIFY(fromFactory->limits().maxBytes > 0 && fromFactory->limits().deadlineMs > 0);

        ScriptedHttpServer server;
        ScriptedHttpServer::Response small;
        small.body = TestSupport::pngBytes();
        server.on("GET", QStringLiteral("/small.png"), small);
        ScriptedHttpServer::Response large;
        large.body = QByteArray(5000, 'x');
        server.on("GET", QStringLiteral("/large.png"), large);
        ScriptedHttpServer::Response huge; // announces more than it will ever send
        huge.announcedLength = 10'000'000'000;
        huge.body = QByteArray(10, 'x');
        server.on("GET", QStringLiteral("/huge.png"), huge);
        ScriptedHttpServer::Response trickle = small;
        trickle.trickleMs = 40;
        server.on("GET", QStringLiteral("/trickle.png"), trickle);

        // Qt Quick's loader may ask for pipelining; the manager never allows it.
        QNetworkRequest request(QUrl(server.url().toString() + QStringLiteral("/small.png")));
        request.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, true);
        std::unique_ptr<QNetworkReply> reply(fromFactory->get(request));
        QCOMPARE(reply->request().attribute(QNetworkRequest::HttpPipeliningAllowedAttribute).toBool(), false);
        QVERIFY(TestSupport::waitUntil([&] { return reply->isFinished(); }));
        QCOMPARE(reply->error(), QNetworkReply::NoError);

        ImageNetworkAccessManager bounded(ImageNetworkAccessManager::Limits{1000, 5000, 500}, nullptr);
        const auto at = [&](const char *path) { return QUrl(server.url().toString() + QLatin1String(path)); };
        QCOMPARE(fetch(bounded, at("/small.png")).first, QNetworkReply::NoError);
        QCOMPARE(fetch(bounded, at("/large.png")).first, QNetworkReply::OperationCanceledError);
        QCOMPARE(fetch(bounded, at("/huge.png")).first, QNetworkReply::OperationCanceledError);
        const auto slow = fetch(bounded, at("/trickle.png")); // never stalls, but takes too long
        QCOMPARE(slow.first, QNetworkReply::OperationCanceledError);
        QVERIFY(slow.second < 3000);
    }

    void remotePicturesAreReadAtTheSizeShown()
    {
        // Bands: red at the top and bottom eighths, green between; a 1280x520 cover of this
        // 1920x1200 picture keeps the middle, so no red.
        QImage large(1920, 1200, QImage::Format_RGB32);
        large.fill(Qt::green);
        for (int y : {0, 1050})
            for (int row = y; row < y + 150; ++row)
                std::fill_n(reinterpret_cast<QRgb *>(large.scanLine(row)), large.width(), qRgb(255, 0, 0));
        const auto jpeg = [](const QImage &image) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "JPEG", 95);
            return bytes;
        };
        ScriptedHttpServer server;
        ScriptedHttpServer::Response big, small;
        big.body = jpeg(large);
        small.body = jpeg(large.scaled(320, 200));
        server.on("GET", QStringLiteral("/big.jpg"), big);
        server.on("GET", QStringLiteral("/small.jpg"), small);
        ScriptedHttpServer::Response clear;
        {
            QImage see(64, 64, QImage::Format_ARGB32);
            see.fill(Qt::transparent);
            QBuffer buffer(&clear.body);
            buffer.open(QIODevice::WriteOnly);
            see.save(&buffer, "PNG");
        }
        server.on("GET", QStringLiteral("/clear.png"), clear);

        QTemporaryDir cache;
        ImageNetworkAccessManagerFactory factory(cache.path(), 1'000'000);
        RemotePictureProvider provider(factory);
        const auto load = [&](const char *how, const char *path, QSize box, QString *error = nullptr) {
            std::unique_ptr<QQuickImageResponse> response(provider.requestImageResponse(
                QLatin1String(how) + u'/' + server.url().toString() + QLatin1String(path), box));
            QSignalSpy finished(response.get(), &QQuickImageResponse::finished);
            finished.wait(10000);
            if (error)
                *error = response->errorString();
            std::unique_ptr<QQuickTextureFactory> texture(response->textureFactory());
            return texture ? texture->image() : QImage();
        };
        const QImage hero = load("crop", "/big.jpg", QSize(1280, 520));
        QCOMPARE(hero.size(), QSize(1280, 520));
        QCOMPARE(hero.depth(), 24); // large and opaque, so kept without the unused fourth byte
        const QImage see = load("fit", "/clear.png", QSize(64, 64));
        QVERIFY(see.hasAlphaChannel());
        QCOMPARE(qAlpha(see.pixel(10, 10)), 0);
        for (int y : {0, 259, 519})
            QVERIFY2(qRed(hero.pixel(640, y)) < 60 && qGreen(hero.pixel(640, y)) > 200, qPrintable(QString::number(y)));
        QCOMPARE(load("fit", "/big.jpg", QSize(1280, 520)).size(), QSize(832, 520));
        // Never enlarged: the renderer scales it as it draws.
        const QImage little = load("crop", "/small.jpg", QSize(1280, 520));
        QCOMPARE(little.size(), QSize(320, 200));
        QCOMPARE(little.depth(), 32); // small: kept in the format the renderer draws fastest
        QString error;
        QVERIFY(load("crop", "/missing.jpg", QSize(100, 100), &error).isNull());
        QVERIFY(!error.isEmpty());
    }

    void heicDecodingHonoursTheAllocationLimit()
    {
        QTemporaryDir dir;
        const QString heic = TestSupport::writeHeic(dir.filePath(QStringLiteral("big.heic")), 1024, 640);
        if (heic.isEmpty())
            QSKIP("libheif has no HEVC encoder here");
        const int limit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(1); // MiB; the picture needs 2.5
        const QImage refused = QImageReader(heic).read();
        QImageReader::setAllocationLimit(limit);
        QVERIFY(refused.isNull());
        QCOMPARE(QImageReader(heic).read().size(), QSize(1024, 640));
    }

    void windowOpensAtDefaultSize()
    {
        // No desktop named, so no desktop setting is read at start.
        const std::optional<QByteArray> desktop = qEnvironmentVariableIsSet("XDG_CURRENT_DESKTOP")
            ? std::optional(qgetenv("XDG_CURRENT_DESKTOP")) : std::nullopt;
        qunsetenv("XDG_CURRENT_DESKTOP");
        const auto restore = qScopeGuard([&] {
            if (desktop)
                qputenv("XDG_CURRENT_DESKTOP", *desktop);
        });
        LumivaneApp app;
        QVERIFY(app.start());
        auto *window = qobject_cast<QQuickWindow *>(app.engine().rootObjects().first());
        QVERIFY(window);
        QTRY_VERIFY(window->property("content").value<QObject *>());
        // GIO (and GObject, libmount, libblkid, libselinux with it) is opened when first used,
        // not at every start.
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY(!mapped.contains("libgio-2.0"));
        // The symbols come from the compiled-in cut-out, not from an installed copy of the whole
        // icon font (which fontconfig would match by a family of the same name).
        QVERIFY(!mapped.contains("MaterialIcons"));
        QCOMPARE(window->width(), AppConfig::defaultWindowWidth);
        QCOMPARE(window->height(), AppConfig::defaultWindowHeight);
        QCOMPARE(window->minimumSize(), QSize(AppConfig::minWindowWidth, AppConfig::minWindowHeight));
        // The image cache must not sit inside the folder that Settings measures and clears.
        QVERIFY(!LumivaneApp::imageCacheDirectory().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Lumivane/")));
    }
};

QTEST_MAIN(TestAppCore)
#include "tst_appcore.moc"
