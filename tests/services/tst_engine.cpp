// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeDesktop.h"
#include "models/AppError.h"
#include "platform/DesktopError.h"
#include "ScriptedHttpServer.h"
#include "config/PreferenceKeys.h"
#include "services/CacheManager.h"
#include "services/WallpaperEngine.h"
#include "services/WallpaperError.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

using Path = WallpaperEngine::LockScreenPath;

// A real picture, so that the engine's decoding check passes; `shade` makes pictures differ.
QByteArray pictureBytes(int shade = 90)
{
    return TestSupport::pngBytes(64, 40, shade);
}

const QByteArray imageBytes = pictureBytes();

ScriptedHttpServer::Response image(const QByteArray &bytes = imageBytes)
{
    ScriptedHttpServer::Response r;
    r.body = bytes;
    r.headers = {{"Content-Type", "image/jpeg"}};
    return r;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestWallpaperEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void picturesNeverShareAFileAndTheSameURLIsReused();
    void localNamesStayInTheFolderAndAreNotHidden();
    void failedDownloadsThrowAndLeaveNoFile_data();
    void failedDownloadsThrowAndLeaveNoFile();
    void slowServersEndWithinTheirLimits_data();
    void slowServersEndWithinTheirLimits();
    void clearCacheKeepsThePicturesInUse();

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
    std::unique_ptr<WallpaperEngine> makeEngine(Path path = Path::DesktopBackend, int timeoutMs = 60000,
                                                int deadlineMs = 0, QSettings *settings = nullptr);
    QStringList wallpaperFiles() const;
    QUrl at(const QString &path) const { return QUrl(server->url().toString() + path); }
    // Where the engine keeps the picture of `path` on the test server.
    QString fileFor(const QString &path) const
    {
        return caches->path() + QStringLiteral("/Lumivane/Wallpapers/") + WallpaperEngine::localFileName(at(path));
    }

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

std::unique_ptr<WallpaperEngine> TestWallpaperEngine::makeEngine(Path path, int timeoutMs, int deadlineMs,
                                                                 QSettings *settings)
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
    c.downloadDeadlineMs = deadlineMs;
    c.settings = settings;
    return std::make_unique<WallpaperEngine>(std::move(c));
}

QStringList TestWallpaperEngine::wallpaperFiles() const
{
    // Hidden files too: a temporary file left behind would show here.
    return QDir(caches->path() + QStringLiteral("/Lumivane/Wallpapers"))
        .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void TestWallpaperEngine::picturesNeverShareAFileAndTheSameURLIsReused()
{
    // A catalogue may call every rendition "full.jpg".
    const QString a = QStringLiteral("/images/wallpapers/a/full.jpg");
    const QString b = QStringLiteral("/images/wallpapers/b/full.jpg");
    server->on("GET", a, image(pictureBytes(10)));
    server->on("GET", b, image(pictureBytes(250)));
    auto engine = makeEngine();

    TestSupport::run(engine->setDesktopWallpaper(at(a)));
    const QString first = desk->pictureOn(QStringLiteral("screen0"));
    QCOMPARE(contents(first), pictureBytes(10));
    TestSupport::run(engine->setDesktopWallpaper(at(b)));
    const QString second = desk->pictureOn(QStringLiteral("screen0"));
    QVERIFY(second != first); // a new path, or the desktop would not reload
    QCOMPARE(contents(second), pictureBytes(250));
    QCOMPARE(contents(first), pictureBytes(10)); // never rewritten in place
    QCOMPARE(server->requestCount(), 2);

    // The very same URL again uses its stored file.
    TestSupport::run(engine->setDesktopWallpaper(at(a)));
    QCOMPARE(desk->pictureOn(QStringLiteral("screen0")), first);
    QCOMPARE(server->requestCount(), 2);
    QCOMPARE(wallpaperFiles().size(), 2);
}

void TestWallpaperEngine::localNamesStayInTheFolderAndAreNotHidden()
{
    const QList<QPair<QString, QString>> cases{
        {QStringLiteral("https://h/a/b.PNG?x=1"), QStringLiteral("png")},
        {QStringLiteral("https://h/a/.hidden"), QStringLiteral("jpg")},
        {QStringLiteral("https://h/..%2F..%2Fevil.sh%2Fx"), QStringLiteral("jpg")},
        {QStringLiteral("https://h/a/%2E%2E"), QStringLiteral("jpg")},
        {QStringLiteral("https://h/a/"), QStringLiteral("jpg")},
        {QStringLiteral("https://h"), QStringLiteral("jpg")},
    };
    QSet<QString> names;
    for (const auto &[url, extension] : cases) {
        const QString name = WallpaperEngine::localFileName(QUrl(url));
        QVERIFY2(!name.startsWith(u'.') && !name.contains(u'/') && !name.contains(u'\\'), qPrintable(name));
        QCOMPARE(QFileInfo(name).suffix(), extension);
        names.insert(name);
    }
    QCOMPARE(names.size(), cases.size());
}

void TestWallpaperEngine::failedDownloadsThrowAndLeaveNoFile_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("404") << 404 << imageBytes;
    QTest::newRow("500") << 500 << imageBytes;
    QTest::newRow("304 without cache") << 304 << imageBytes;
    // A captive portal's page, or a picture cut short by the server itself.
    QTest::newRow("200 with a web page") << 200 << QByteArray("<!DOCTYPE html><html><body>Sign in</body></html>");
    QTest::newRow("200 with half a picture") << 200 << imageBytes.left(imageBytes.size() / 2);
}

void TestWallpaperEngine::failedDownloadsThrowAndLeaveNoFile()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    ScriptedHttpServer::Response answer = image(body);
    answer.status = status;
    server->on("GET", QStringLiteral("/missing.jpg"), answer);
    auto engine = makeEngine();

    for (int attempt = 0; attempt < 2; ++attempt) { // and no bad file is reused the second time
        try {
            TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/missing.jpg"))));
            QFAIL("no error");
        } catch (const WallpaperError &e) {
            QCOMPARE(e.kind(), WallpaperError::Kind::downloadFailed);
            QCOMPARE(e.description(), QStringLiteral("Failed to download wallpaper"));
        }
    }
    QCOMPARE(server->requestCount(), 2);
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

void TestWallpaperEngine::slowServersEndWithinTheirLimits_data()
{
    QTest::addColumn<bool>("trickle");
    QTest::newRow("stalled: the stall timeout") << false;
    QTest::newRow("a byte at a time: the deadline") << true; // never stalls long enough
}

void TestWallpaperEngine::slowServersEndWithinTheirLimits()
{
    QFETCH(bool, trickle);
    ScriptedHttpServer::Response slow = image();
    slow.stall = !trickle;
    slow.trickleMs = trickle ? 40 : 0;
    server->on("GET", QStringLiteral("/slow.jpg"), slow);
    auto engine = trickle ? makeEngine(Path::DesktopBackend, 2000, 600) : makeEngine(Path::DesktopBackend, 300);

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

void TestWallpaperEngine::clearCacheKeepsThePicturesInUse()
{
    QSettings settings(caches->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    const QString images = caches->filePath(QStringLiteral("lumivane-images"));
    QVERIFY(QDir().mkpath(images + QStringLiteral("/data8/f")));
    QFile cached(images + QStringLiteral("/data8/f/entry.d"));
    QVERIFY(cached.open(QIODevice::WriteOnly) && cached.write(QByteArray(3000, 'c')) == 3000);
    cached.close();
    for (int shade : {10, 20, 30})
        server->on("GET", QStringLiteral("/%1.jpg").arg(shade), image(pictureBytes(shade)));
    auto engine = makeEngine(Path::DesktopBackend, 60000, 0, &settings);
    TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/10.jpg"))));
    TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/20.jpg"))));
    TestSupport::run(engine->setLockScreenWallpaper(at(QStringLiteral("/30.jpg"))));

    CacheManager cache(caches->path() + QStringLiteral("/Lumivane"), images, &settings);
    QVERIFY(cache.cacheSize() >= 3000 + 3 * imageBytes.size());
    cache.clearCache();
    // What the desktop and the lock screen show stays; everything else goes, image cache too.
    QVERIFY(!QFile::exists(fileFor(QStringLiteral("/10.jpg"))));
    QCOMPARE(contents(fileFor(QStringLiteral("/20.jpg"))), pictureBytes(20));
    QCOMPARE(contents(fileFor(QStringLiteral("/30.jpg"))), pictureBytes(30));
    QVERIFY(!cached.exists());
    QVERIFY(QFileInfo(images + QStringLiteral("/data8")).isDir()); // the disk cache expects its folders
    QCOMPARE(cache.cacheSize(), pictureBytes(20).size() + pictureBytes(30).size());
}

void TestWallpaperEngine::desktopIsSetOnEveryScreenInOrderThenNotified()
{
    desk = std::make_unique<FakeDesktop>(3);
    server->on("GET", QStringLiteral("/w.jpg"), image());
    auto engine = makeEngine();

    TestSupport::run(engine->setDesktopWallpaper(at(QStringLiteral("/w.jpg"))));
    const QString file = fileFor(QStringLiteral("/w.jpg"));
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
    const QString file = fileFor(QStringLiteral("/w.jpg"));
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
    const QString file = fileFor(QStringLiteral("/l.jpg"));
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
    QCOMPARE(wallpaperFiles(), QStringList{QFileInfo(fileFor(QStringLiteral("/l.jpg"))).fileName()}); // stays in the cache
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
    const QString file = root + QStringLiteral("/Lumivane/Wallpapers/") + WallpaperEngine::localFileName(at(QStringLiteral("/l.jpg")));
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
    QCOMPARE(desk->lockScreenCalls, QStringList{fileFor(QStringLiteral("/l.jpg"))});
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
