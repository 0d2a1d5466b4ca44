// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeDesktop.h"
#include "models/AppError.h"
#include "platform/DesktopError.h"
#include "ScriptedHttpServer.h"
#include "services/WallpaperEngine.h"
#include "services/WallpaperError.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

using Path = WallpaperEngine::LockScreenPath;

const QByteArray imageBytes = QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg", 22).repeated(100);

ScriptedHttpServer::Response image()
{
    ScriptedHttpServer::Response r;
    r.body = imageBytes;
    r.headers = {{"Content-Type", "image/jpeg"}};
    return r;
}

} // namespace

class TestWallpaperEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void downloadStoresTheFileAndReusesItWithoutARequest();
    void emptyOrUnsafeLastComponentsGetAFreshUuidName();
    void safeFileNames_data();
    void safeFileNames();
    void failedDownloadsThrowAndLeaveNoFile_data();
    void failedDownloadsThrowAndLeaveNoFile();
    void stalledDownloadTimesOut();

    void desktopIsSetOnEveryScreenInOrderThenNotified();
    void firstFailingScreenStopsAndItsErrorPassesUnchanged();
    void noScreensFailsWithoutNotification();

    void lockScreenOnNewerMacOSChangesOnlyTheMainScreen();
    void lockScreenScriptPathNeedsTrustAndPrompts();
    void lockScreenScriptPathRunsTheEscapedScript();
    void lockScreenOnLinuxUsesTheBackend();
    void lockScreenPathFollowsTheSystem();

    void scriptTextIsExact();
    void accessibilityPaneOpensOnlyWhereItExists();

private:
    std::unique_ptr<WallpaperEngine> makeEngine(Path path = Path::DesktopBackend, int timeoutMs = 60000);
    QStringList wallpaperFiles() const;
    QUrl at(const QString &path) const { return QUrl(server->url().toString() + path); }

    std::unique_ptr<QTemporaryDir> caches;
    std::unique_ptr<ScriptedHttpServer> server;
    std::unique_ptr<QNetworkAccessManager> network;
    std::unique_ptr<FakeDesktop> desk;
};

void TestWallpaperEngine::init()
{
    caches = std::make_unique<QTemporaryDir>();
    server = std::make_unique<ScriptedHttpServer>();
    network = std::make_unique<QNetworkAccessManager>();
    desk = std::make_unique<FakeDesktop>(1);
}

void TestWallpaperEngine::cleanup()
{
    desk.reset();
    network.reset();
    server.reset();
    caches.reset();
}

std::unique_ptr<WallpaperEngine> TestWallpaperEngine::makeEngine(Path path, int timeoutMs)
{
    WallpaperEngine::Collaborators c;
    c.network = network.get();
    c.desktop = desk.get();
    c.notifier = desk.get();
    c.trust = desk.get();
    c.urlOpener = desk.get();
    c.scriptRunner = desk.get();
    c.screens = desk->screensProvider();
    c.lockScreenPath = path;
    c.cachesRoot = caches->path();
    c.downloadTimeoutMs = timeoutMs;
    return std::make_unique<WallpaperEngine>(std::move(c));
}

QStringList TestWallpaperEngine::wallpaperFiles() const
{
    // Hidden files too: a temporary file left behind would show here.
    return QDir(caches->path() + QStringLiteral("/Lumivane/Wallpapers"))
        .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void TestWallpaperEngine::downloadStoresTheFileAndReusesItWithoutARequest()
{
    server->on("GET", QStringLiteral("/images/full/sunset.jpg"), image());
    auto engine = makeEngine();

    const QString first = TestSupport::run(engine->downloadWallpaper(at(QStringLiteral("/images/full/sunset.jpg"))));
    QCOMPARE(first, caches->path() + QStringLiteral("/Lumivane/Wallpapers/sunset.jpg"));
    QFile file(first);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), imageBytes);
    QCOMPARE(server->requestCount(), 1);

    // Applying the same URL again uses the stored file.
    TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/images/full/sunset.jpg"))));
    QCOMPARE(server->requestCount(), 1);
    QCOMPARE(desk->pictureOn(QStringLiteral("screen0")), first);
    QCOMPARE(wallpaperFiles(), QStringList{QStringLiteral("sunset.jpg")});
}

void TestWallpaperEngine::emptyOrUnsafeLastComponentsGetAFreshUuidName()
{
    server->enqueue(image());
    server->enqueue(image());
    server->enqueue(image());
    auto engine = makeEngine();
    static const QRegularExpression uuidName(QStringLiteral(
        "^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\.jpg$"));

    const QString a = TestSupport::run(engine->downloadWallpaper(at(QStringLiteral("/images/"))));
    const QString b = TestSupport::run(engine->downloadWallpaper(at(QStringLiteral("/images/"))));
    const QString c = TestSupport::run(engine->downloadWallpaper(at(QStringLiteral("/images/%2E%2E"))));
    for (const QString &path : {a, b, c}) {
        QCOMPARE(QFileInfo(path).absolutePath(), caches->path() + QStringLiteral("/Lumivane/Wallpapers"));
        QVERIFY2(uuidName.match(QFileInfo(path).fileName()).hasMatch(), qPrintable(path));
    }
    QVERIFY(a != b); // never reused: each empty name is new
    QCOMPARE(server->requestCount(), 3);
    QCOMPARE(wallpaperFiles().size(), 3);
}

void TestWallpaperEngine::safeFileNames_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QUrl(QStringLiteral("https://h/a/b.jpg")) << QStringLiteral("b.jpg");
    QTest::newRow("query ignored") << QUrl(QStringLiteral("https://h/a/b.png?x=1")) << QStringLiteral("b.png");
    QTest::newRow("encoded space") << QUrl(QStringLiteral("https://h/a/my%20pic.jpg")) << QStringLiteral("my pic.jpg");
    QTest::newRow("backslash") << QUrl(QStringLiteral("https://h/..%5C..%5Cevil.jpg")) << QStringLiteral(".._.._evil.jpg");
    QTest::newRow("control") << QUrl(QStringLiteral("https://h/a%0Ab.jpg")) << QStringLiteral("a_b.jpg");
    QTest::newRow("dot") << QUrl(QStringLiteral("https://h/a/%2E")) << QString();
    QTest::newRow("dotdot") << QUrl(QStringLiteral("https://h/a/%2E%2E")) << QString();
    QTest::newRow("empty") << QUrl(QStringLiteral("https://h/a/")) << QString();
    QTest::newRow("no path") << QUrl(QStringLiteral("https://h")) << QString();
}

void TestWallpaperEngine::safeFileNames()
{
    QFETCH(QUrl, url);
    QFETCH(QString, name);
    QCOMPARE(WallpaperEngine::safeFileName(url), name);
}

void TestWallpaperEngine::failedDownloadsThrowAndLeaveNoFile_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("404") << 404;
    QTest::newRow("500") << 500;
    QTest::newRow("304 without cache") << 304;
}

void TestWallpaperEngine::failedDownloadsThrowAndLeaveNoFile()
{
    QFETCH(int, status);
    ScriptedHttpServer::Response answer = image();
    answer.status = status;
    server->on("GET", QStringLiteral("/missing.jpg"), answer);
    auto engine = makeEngine();

    try {
        TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/missing.jpg"))));
        QFAIL("no error");
    } catch (const WallpaperError &e) {
        QCOMPARE(e.kind(), WallpaperError::Kind::downloadFailed);
        QCOMPARE(e.description(), QStringLiteral("Failed to download wallpaper"));
    }
    QCOMPARE(wallpaperFiles(), QStringList());
    QVERIFY(desk->desktopCalls.isEmpty());
    QVERIFY(desk->notifications.isEmpty());

    // A response that is not HTTP at all is no download either.
    QTemporaryDir other;
    QFile local(other.filePath(QStringLiteral("local.jpg")));
    QVERIFY(local.open(QIODevice::WriteOnly));
    local.write(imageBytes);
    local.close();
    try {
        TestSupport::run(engine->downloadWallpaper(QUrl::fromLocalFile(local.fileName())));
        QFAIL("no error");
    } catch (const WallpaperError &e) {
        QCOMPARE(e.kind(), WallpaperError::Kind::downloadFailed);
    }
    QCOMPARE(wallpaperFiles(), QStringList());
}

void TestWallpaperEngine::stalledDownloadTimesOut()
{
    ScriptedHttpServer::Response stalled;
    stalled.stall = true;
    server->on("GET", QStringLiteral("/slow.jpg"), stalled);
    auto engine = makeEngine(Path::DesktopBackend, 300);

    QElapsedTimer clock;
    clock.start();
    try {
        TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/slow.jpg"))), 10000);
        QFAIL("no error");
    } catch (const TransportError &) {
    }
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(wallpaperFiles(), QStringList());
    QVERIFY(desk->notifications.isEmpty());
}

void TestWallpaperEngine::desktopIsSetOnEveryScreenInOrderThenNotified()
{
    desk = std::make_unique<FakeDesktop>(3);
    server->on("GET", QStringLiteral("/w.jpg"), image());
    auto engine = makeEngine();

    TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/w.jpg"))));
    const QString file = caches->path() + QStringLiteral("/Lumivane/Wallpapers/w.jpg");
    const QList<QPair<QString, QString>> expected{
        {QStringLiteral("screen0"), file}, {QStringLiteral("screen1"), file}, {QStringLiteral("screen2"), file}};
    QCOMPARE(desk->desktopCalls, expected);
    const QList<QPair<QString, QString>> notes{{QStringLiteral("Wallpaper Set"), QStringLiteral("Desktop wallpaper has been updated")}};
    QCOMPARE(desk->notifications, notes);
}

void TestWallpaperEngine::firstFailingScreenStopsAndItsErrorPassesUnchanged()
{
    desk = std::make_unique<FakeDesktop>(3);
    desk->failingScreen = QStringLiteral("screen1");
    desk->failure = [] { throw DesktopError(QStringLiteral("monitor 2 is asleep")); };
    server->on("GET", QStringLiteral("/w.jpg"), image());
    auto engine = makeEngine();

    try {
        TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/w.jpg"))));
        QFAIL("no error");
    } catch (const DesktopError &e) {
        QCOMPARE(e.reason(), QStringLiteral("monitor 2 is asleep"));
        QCOMPARE(e.description(), QStringLiteral("Failed to set wallpaper: monitor 2 is asleep"));
    }
    const QString file = caches->path() + QStringLiteral("/Lumivane/Wallpapers/w.jpg");
    QCOMPARE(desk->pictureOn(QStringLiteral("screen0")), file);
    QCOMPARE(desk->pictureOn(QStringLiteral("screen2")), QString());
    QCOMPARE(desk->desktopCalls.size(), 2);
    QVERIFY(desk->notifications.isEmpty());
    QVERIFY(QFile::exists(file)); // kept for the next attempt
}

void TestWallpaperEngine::noScreensFailsWithoutNotification()
{
    desk = std::make_unique<FakeDesktop>(0);
    server->on("GET", QStringLiteral("/w.jpg"), image());
    auto engine = makeEngine();
    try {
        TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/w.jpg"))));
        QFAIL("no error");
    } catch (const WallpaperError &e) {
        QCOMPARE(e.description(), QStringLiteral("No screens detected"));
    }
    try {
        auto macEngine = makeEngine(Path::MainScreen);
        TestSupport::run(macEngine->setLockScreenWallpaper(at(QStringLiteral("/w.jpg"))));
        QFAIL("no error");
    } catch (const WallpaperError &e) {
        QCOMPARE(e.kind(), WallpaperError::Kind::noScreens);
    }
    QVERIFY(desk->notifications.isEmpty());
}

void TestWallpaperEngine::lockScreenOnNewerMacOSChangesOnlyTheMainScreen()
{
    desk = std::make_unique<FakeDesktop>(3);
    desk->screens[0].primary = false;
    desk->screens[1].primary = true;
    desk->trusted = false; // this path needs no accessibility permission
    server->on("GET", QStringLiteral("/l.jpg"), image());
    auto engine = makeEngine(Path::MainScreen);

    TestSupport::run(engine->setLockScreenWallpaper(at(QStringLiteral("/l.jpg"))));
    const QString file = caches->path() + QStringLiteral("/Lumivane/Wallpapers/l.jpg");
    const QList<QPair<QString, QString>> expected{{QStringLiteral("screen1"), file}};
    QCOMPARE(desk->desktopCalls, expected);
    QCOMPARE(desk->prompts, 0);
    QVERIFY(desk->scripts.isEmpty());
    const QList<QPair<QString, QString>> notes{{QStringLiteral("Lock Screen Set"), QStringLiteral("Lock screen wallpaper has been updated")}};
    QCOMPARE(desk->notifications, notes);
}

void TestWallpaperEngine::lockScreenScriptPathNeedsTrustAndPrompts()
{
    desk->trusted = false;
    server->on("GET", QStringLiteral("/l.jpg"), image());
    auto engine = makeEngine(Path::SystemEventsScript);
    QVERIFY(!engine->isAccessibilityTrusted());

    try {
        TestSupport::run(engine->setLockScreenWallpaper(at(QStringLiteral("/l.jpg"))));
        QFAIL("no error");
    } catch (const WallpaperError &e) {
        QCOMPARE(e.kind(), WallpaperError::Kind::permissionDenied);
        QCOMPARE(e.description(), QStringLiteral("Accessibility permission required"));
    }
    QCOMPARE(desk->prompts, 1);
    QVERIFY(desk->scripts.isEmpty());
    QVERIFY(desk->notifications.isEmpty());
    QCOMPARE(wallpaperFiles(), QStringList{QStringLiteral("l.jpg")}); // stays in the cache
}

void TestWallpaperEngine::lockScreenScriptPathRunsTheEscapedScript()
{
    // A folder whose name holds a double quote: the escaped script still names the file.
    QVERIFY(QDir(caches->path()).mkpath(QStringLiteral("we \"quote\"")));
    const QString root = caches->path() + QStringLiteral("/we \"quote\"");
    server->on("GET", QStringLiteral("/l.jpg"), image());
    WallpaperEngine::Collaborators c;
    c.network = network.get();
    c.desktop = desk.get();
    c.notifier = desk.get();
    c.trust = desk.get();
    c.scriptRunner = desk.get();
    c.screens = desk->screensProvider();
    c.lockScreenPath = Path::SystemEventsScript;
    c.cachesRoot = root;
    WallpaperEngine engine(std::move(c));

    TestSupport::run(engine.setLockScreenWallpaper(at(QStringLiteral("/l.jpg"))));
    const QString file = root + QStringLiteral("/Lumivane/Wallpapers/l.jpg");
    QCOMPARE(desk->scripts, QStringList{WallpaperEngine::lockScreenScript(file)});
    QVERIFY(desk->scripts.first().contains(QStringLiteral("we \\\"quote\\\"/Lumivane")));
    QCOMPARE(desk->notifications.size(), 1);

    // The script's error information becomes setFailed.
    desk->scriptError = QStringLiteral("{NSAppleScriptErrorNumber = -1743}");
    try {
        TestSupport::run(engine.setLockScreenWallpaper(at(QStringLiteral("/l.jpg"))));
        QFAIL("no error");
    } catch (const WallpaperError &e) {
        QCOMPARE(e.kind(), WallpaperError::Kind::setFailed);
        QCOMPARE(e.description(), QStringLiteral("Failed to set wallpaper: {NSAppleScriptErrorNumber = -1743}"));
    }
    QCOMPARE(desk->notifications.size(), 1);
}

void TestWallpaperEngine::lockScreenOnLinuxUsesTheBackend()
{
    server->on("GET", QStringLiteral("/l.jpg"), image());
    auto engine = makeEngine(Path::DesktopBackend);
    QVERIFY(engine->isAccessibilityTrusted());
    TestSupport::run(engine->setLockScreenWallpaper(at(QStringLiteral("/l.jpg"))));
    QCOMPARE(desk->lockScreenCalls, QStringList{caches->path() + QStringLiteral("/Lumivane/Wallpapers/l.jpg")});
    QVERIFY(desk->desktopCalls.isEmpty());
    QCOMPARE(desk->notifications.size(), 1);

    desk->lockScreenFails = true;
    QVERIFY_THROWS_EXCEPTION(DesktopError, TestSupport::run(engine->setLockScreenWallpaper(at(QStringLiteral("/l.jpg")))));
    QCOMPARE(desk->notifications.size(), 1);
}

void TestWallpaperEngine::lockScreenPathFollowsTheSystem()
{
    QCOMPARE(WallpaperEngine::lockScreenPathFor(QStringLiteral("macos"), 14), Path::MainScreen);
    QCOMPARE(WallpaperEngine::lockScreenPathFor(QStringLiteral("macos"), 15), Path::MainScreen);
    QCOMPARE(WallpaperEngine::lockScreenPathFor(QStringLiteral("macos"), 13), Path::SystemEventsScript);
    QCOMPARE(WallpaperEngine::lockScreenPathFor(QStringLiteral("debian"), 12), Path::DesktopBackend);
}

void TestWallpaperEngine::scriptTextIsExact()
{
    const QString plain = WallpaperEngine::lockScreenScript(QStringLiteral("/Users/a/b.jpg"));
    QCOMPARE(plain, QStringLiteral("tell application \"System Events\"\n"
                                   "    tell every desktop\n"
                                   "        set picture to \"/Users/a/b.jpg\"\n"
                                   "    end tell\n"
                                   "end tell"));
    QCOMPARE(plain.indexOf(QStringLiteral("/Users")), 80);
    QCOMPARE(plain.size() - plain.indexOf(QStringLiteral("\"\n    end tell")), 23);

    QCOMPARE(WallpaperEngine::lockScreenScript(QStringLiteral("/a\"b\\c.jpg")),
             QStringLiteral("tell application \"System Events\"\n"
                            "    tell every desktop\n"
                            "        set picture to \"/a\\\"b\\\\c.jpg\"\n"
                            "    end tell\n"
                            "end tell"));
}

void TestWallpaperEngine::accessibilityPaneOpensOnlyWhereItExists()
{
    makeEngine(Path::DesktopBackend)->openAccessibilitySettings();
    QVERIFY(desk->openedUrls.isEmpty());
    makeEngine(Path::SystemEventsScript)->openAccessibilitySettings();
    QCOMPARE(desk->openedUrls,
             QList<QUrl>{QUrl(QStringLiteral("x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"))});
}

QTEST_GUILESS_MAIN(TestWallpaperEngine)
#include "tst_engine.moc"
