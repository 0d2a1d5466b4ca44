// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The GSettings backend against GIO's keyfile settings backend and the schemas Debian installs.
// Every value is read back by the `gsettings` tool in a separate process, so what we check is
// what the desktop would read, not what our own process holds in memory.
#include "platform/GSettingsDesktopBackend.h"
#include "PlatformTestKit.h"
#include "ScriptedHttpServer.h"
#include "services/CacheManager.h"
#include "services/WallpaperEngine.h"
#include "TestSupport.h"


#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QNetworkAccessManager>
#include <QPainter>
#include <QSettings>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using Flavour = GSettingsDesktopBackend::Flavour;

namespace {

QString stored(const QString &schema, const QString &key)
{
    return PlatformTestKit::gsettingsGet(schema, key);
}

void reset(const QString &schema, const QString &key)
{
    QProcess::execute(QStringLiteral("gsettings"), {QStringLiteral("reset"), schema, key});
}

using PlatformTestKit::pathOfUri;
using PlatformTestKit::failureOf;

const QString background = QStringLiteral("org.gnome.desktop.background");
const QString screensaver = QStringLiteral("org.gnome.desktop.screensaver");

QByteArray png(const QImage &picture)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return buffer.data();
}

QByteArray solid(int width, int height, QColor colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return png(picture);
}

} // namespace

class TestGSettingsBackend : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void gnomeSetsBothPictureKeysAsFileUrisAndZoom_data();
    void gnomeSetsBothPictureKeysAsFileUrisAndZoom();
    void oneValueForEveryScreen();
    void relativePathIsRefusedAndNothingChanges();
    void missingSchemaFailsWithoutAborting();

    void gnomeLockScreenWritesNothingAndSaysWhy();
    void gnomeCompatibleDesktopsSetTheLockScreenKey();

    void cinnamonUsesItsOwnSchemaWithoutADarkKey();
    void mateTakesAPlainPath();

    void spannedPictureHoldsEachMonitorsChoice();

private:
    QString picture(const QString &name) { return PlatformTestKit::writeFile(m_pictures.path(), name); }
    QTemporaryDir m_pictures;
};

void TestGSettingsBackend::initTestCase()
{
    QCOMPARE(qgetenv("GSETTINGS_BACKEND"), QByteArray("keyfile"));
    if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
        QSKIP("gsettings is not installed (Debian package libglib2.0-bin)");
    if (!GSettingsDesktopBackend::schemaInstalled(background))
        QSKIP("the GNOME schemas are not installed (Debian package gsettings-desktop-schemas)");
    QVERIFY(m_pictures.isValid());
}

void TestGSettingsBackend::gnomeSetsBothPictureKeysAsFileUrisAndZoom_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("mountains.jpg");
    QTest::newRow("spaces and accents") << QStringLiteral("Été à la plage 01.png");
    QTest::newRow("URI-special characters") << QStringLiteral("50% off #1 ?a=b&c;d.jpg");
    QTest::newRow("quotes") << QStringLiteral("it's \"quoted\".webp");
}

void TestGSettingsBackend::gnomeSetsBothPictureKeysAsFileUrisAndZoom()
{
    QFETCH(QString, name);
    reset(background, QStringLiteral("picture-options"));
    const QString path = picture(name);
    GSettingsDesktopBackend gnome(GSettingsDesktopBackend::gnome());
    QCOMPARE(failureOf(gnome.setDesktopImage(path, DesktopScreen{0, QStringLiteral("HDMI-1"), true})), QString());

    for (const char *key : {"picture-uri", "picture-uri-dark"}) {
        const QString uri = stored(background, QLatin1String(key));
        QVERIFY2(uri.startsWith(QLatin1String("file:///")), qPrintable(uri));
        QVERIFY2(!uri.contains(u' ') && !uri.contains(u'#') && !uri.contains(u'?'), qPrintable(uri));
        QCOMPARE(pathOfUri(uri), path);
    }
    QCOMPARE(stored(background, QStringLiteral("picture-options")), QStringLiteral("zoom"));

    // The keyfile backend keeps the values where GIO documents it.
    QFile keyfile(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/glib-2.0/settings/keyfile"));
    QVERIFY(keyfile.open(QIODevice::ReadOnly));
    QVERIFY(keyfile.readAll().contains("[org/gnome/desktop/background]"));
}

void TestGSettingsBackend::oneValueForEveryScreen()
{
    GSettingsDesktopBackend gnome(GSettingsDesktopBackend::gnome());
    const QString first = picture(QStringLiteral("first.jpg"));
    const QString second = picture(QStringLiteral("second.jpg"));
    QCOMPARE(failureOf(gnome.setDesktopImage(first, DesktopScreen{0, QStringLiteral("DP-1"), true})), QString());
    QCOMPARE(failureOf(gnome.setDesktopImage(second, DesktopScreen{1, QStringLiteral("DP-2"), false})), QString());
    // GNOME has one picture for all monitors: the last write wins for both keys.
    QCOMPARE(pathOfUri(stored(background, QStringLiteral("picture-uri"))), second);
    QCOMPARE(pathOfUri(stored(background, QStringLiteral("picture-uri-dark"))), second);
}

void TestGSettingsBackend::relativePathIsRefusedAndNothingChanges()
{
    GSettingsDesktopBackend gnome(GSettingsDesktopBackend::gnome());
    const QString before = picture(QStringLiteral("before.jpg"));
    QCOMPARE(failureOf(gnome.setDesktopImage(before, DesktopScreen{})), QString());

    const QString message = failureOf(gnome.setDesktopImage(QStringLiteral("relative/picture.jpg"), DesktopScreen{}));
    QVERIFY2(message.startsWith(QLatin1String("Failed to set wallpaper: ")), qPrintable(message));
    QVERIFY2(message.contains(QLatin1String("relative/picture.jpg")), qPrintable(message));
    QCOMPARE(pathOfUri(stored(background, QStringLiteral("picture-uri"))), before);
}

void TestGSettingsBackend::missingSchemaFailsWithoutAborting()
{
    // GIO aborts the process on g_settings_new() of an unknown schema; the backend must ask first.
    Flavour flavour = GSettingsDesktopBackend::gnome();
    flavour.schema = QStringLiteral("org.example.not.installed");
    flavour.lockSchema = QStringLiteral("org.example.not.installed.either");
    flavour.lockScreenNote = nullptr;
    GSettingsDesktopBackend backend(flavour);
    const QString path = picture(QStringLiteral("any.jpg"));

    QString message = failureOf(backend.setDesktopImage(path, DesktopScreen{}));
    QVERIFY2(message.contains(QLatin1String("org.example.not.installed is not installed")), qPrintable(message));
    message = failureOf(backend.setLockScreenImage(path));
    QVERIFY2(message.contains(QLatin1String("org.example.not.installed.either")), qPrintable(message));

    flavour = GSettingsDesktopBackend::gnome();
    flavour.pictureKeys = {QStringLiteral("picture-url")};
    message = failureOf(GSettingsDesktopBackend(flavour).setDesktopImage(path, DesktopScreen{}));
    QVERIFY2(message.contains(QLatin1String("has no key picture-url")), qPrintable(message));
}

void TestGSettingsBackend::gnomeLockScreenWritesNothingAndSaysWhy()
{
    reset(screensaver, QStringLiteral("picture-uri"));
    const QString before = stored(screensaver, QStringLiteral("picture-uri"));
    const QString path = picture(QStringLiteral("lock.jpg"));
    GSettingsDesktopBackend gnome(GSettingsDesktopBackend::gnome());
    const DesktopCapabilities can = TestSupport::run(gnome.capabilities());
    QVERIFY(can.desktopPicture && !can.lockScreenPicture && can.perMonitor && can.spanned);
    const QString message = failureOf(gnome.setLockScreenImage(path));
    QVERIFY2(message.endsWith(can.lockScreenNote), qPrintable(message));
    // Reporting success here would claim a lock-screen picture GNOME never draws.
    QVERIFY2(message.startsWith(QLatin1String("Failed to set wallpaper: GNOME")), qPrintable(message));
    QVERIFY2(message.contains(QLatin1String("desktop picture")), qPrintable(message));
    // A failure leaves no key behind that a later GNOME (or another desktop) would act on.
    QCOMPARE(stored(screensaver, QStringLiteral("picture-uri")), before);
}

void TestGSettingsBackend::gnomeCompatibleDesktopsSetTheLockScreenKey()
{
    const QString desktop = picture(QStringLiteral("budgie-desktop.jpg"));
    const QString lock = picture(QStringLiteral("budgie lock.jpg"));
    GSettingsDesktopBackend budgie(GSettingsDesktopBackend::gnomeCompatible(QStringLiteral("Budgie")));
    QCOMPARE(budgie.name(), QStringLiteral("Budgie"));
    QCOMPARE(failureOf(budgie.setDesktopImage(desktop, DesktopScreen{})), QString());
    QCOMPARE(failureOf(budgie.setLockScreenImage(lock)), QString());
    QCOMPARE(pathOfUri(stored(screensaver, QStringLiteral("picture-uri"))), lock);
    // The lock screen has its own key: the desktop picture stays.
    QCOMPARE(pathOfUri(stored(background, QStringLiteral("picture-uri"))), desktop);
}

void TestGSettingsBackend::cinnamonUsesItsOwnSchemaWithoutADarkKey()
{
    const QString schema = QStringLiteral("org.cinnamon.desktop.background");
    if (!GSettingsDesktopBackend::schemaInstalled(schema))
        QSKIP("the Cinnamon schemas are not installed (Debian package cinnamon-desktop-data)");
    reset(schema, QStringLiteral("picture-options"));
    const QString gnomeBefore = stored(background, QStringLiteral("picture-uri"));
    const QString path = picture(QStringLiteral("cinnamon pic.jpg"));

    GSettingsDesktopBackend cinnamon(GSettingsDesktopBackend::cinnamon());
    QCOMPARE(failureOf(cinnamon.setDesktopImage(path, DesktopScreen{})), QString());
    QCOMPARE(pathOfUri(stored(schema, QStringLiteral("picture-uri"))), path);
    QCOMPARE(stored(schema, QStringLiteral("picture-options")), QStringLiteral("zoom"));
    QCOMPARE(stored(background, QStringLiteral("picture-uri")), gnomeBefore);

    const QString message = failureOf(cinnamon.setLockScreenImage(path));
    QVERIFY2(message.contains(QLatin1String("Cinnamon")), qPrintable(message));
}

void TestGSettingsBackend::mateTakesAPlainPath()
{
    const QString schema = QStringLiteral("org.mate.background");
    if (!GSettingsDesktopBackend::schemaInstalled(schema))
        QSKIP("the MATE schemas are not installed (Debian package mate-desktop-common)");
    reset(schema, QStringLiteral("picture-options"));
    const QString path = picture(QStringLiteral("mate/Été 100%.png"));

    GSettingsDesktopBackend mate(GSettingsDesktopBackend::mate());
    QCOMPARE(failureOf(mate.setDesktopImage(path, DesktopScreen{})), QString());
    QCOMPARE(stored(schema, QStringLiteral("picture-filename")), path);
    QCOMPARE(stored(schema, QStringLiteral("picture-options")), QStringLiteral("zoom"));

    const QString message = failureOf(mate.setLockScreenImage(path));
    QVERIFY2(message.contains(QLatin1String("MATE")), qPrintable(message));
}

void TestGSettingsBackend::spannedPictureHoldsEachMonitorsChoice()
{
    // Two monitors of different sizes side by side: DP-1 320×180 at the origin, HDMI-1 200×160
    // to its right, so the strip below HDMI-1 belongs to neither.
    QList<DesktopScreen> screens{{0, QStringLiteral("DP-1"), true, QSize(320, 180), QPoint(0, 0)},
                                 {1, QStringLiteral("HDMI-1"), false, QSize(200, 160), QPoint(320, 0)}};
    const QColor red(220, 20, 30), green(20, 200, 40), blue(30, 40, 210), magenta(255, 0, 255);
    // B is wide with magenta ends: scaled to cover HDMI-1 and centred, only its green middle shows.
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(magenta);
    QPainter(&wide).fillRect(100, 0, 200, 100, green);

    ScriptedHttpServer server;
    const auto serve = [&](const QString &path, const QByteArray &bytes) {
        ScriptedHttpServer::Response r;
        r.body = bytes;
        r.headers = {{"Content-Type", "image/png"}};
        server.on("GET", path, r);
        return QUrl(server.url().toString() + path);
    };
    const QUrl a = serve(QStringLiteral("/a.png"), solid(64, 48, red));
    const QUrl b = serve(QStringLiteral("/b.png"), png(wide));
    const QUrl c = serve(QStringLiteral("/c.png"), solid(48, 64, blue));

    QTemporaryDir caches;
    QNetworkAccessManager network;
    GSettingsDesktopBackend gnome(GSettingsDesktopBackend::gnome());
    const auto makeEngine = [&](QSettings *settings) {
        WallpaperEngine::Collaborators co;
        co.network = &network;
        co.desktop = &gnome;
        co.screens = [&] { return screens; };
        co.cachesRoot = caches.path();
        co.settings = settings;
        return std::make_unique<WallpaperEngine>(std::move(co));
    };
    const QString settingsFile = caches.path() + QStringLiteral("/settings.ini");
    auto settings = std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
    auto engine = makeEngine(settings.get());
    const QString spannedFolder = engine->spannedDirectory();
    const auto shown = [&] {
        const QString uri = stored(background, QStringLiteral("picture-uri"));
        if (pathOfUri(stored(background, QStringLiteral("picture-uri-dark"))) != pathOfUri(uri))
            return QString();
        return pathOfUri(uri);
    };
    const auto composed = [&](QColor first, QColor second) {
        const QString path = shown();
        QImage picture(path);
        if (!path.startsWith(spannedFolder) || picture.size() != QSize(520, 180))
            return QStringLiteral("%1 is %2×%3").arg(path).arg(picture.width()).arg(picture.height());
        if (QDir(spannedFolder).entryList(QDir::Files) != QStringList{QFileInfo(path).fileName()})
            return QStringLiteral("old compositions are left: %1").arg(QDir(spannedFolder).entryList().join(u' '));
        for (const auto &[point, colour] : QList<QPair<QPoint, QColor>>{{{0, 0}, first}, {{319, 179}, first},
                                                                       {{320, 0}, second}, {{519, 159}, second},
                                                                       {{420, 170}, Qt::black}}) {
            if (picture.pixelColor(point) != colour)
                return QStringLiteral("at %1,%2: %3, not %4").arg(point.x()).arg(point.y())
                    .arg(picture.pixelColor(point).name(), colour.name());
        }
        return QString();
    };

    QCOMPARE(failureOf(engine->setDesktopWallpaper(a)), QString());
    const QString fileOfA = shown();
    QCOMPARE(stored(background, QStringLiteral("picture-options")), QStringLiteral("zoom"));

    QCOMPARE(failureOf(engine->setDesktopWallpaperOn(b, QStringLiteral("HDMI-1"))), QString());
    QCOMPARE(stored(background, QStringLiteral("picture-options")), QStringLiteral("spanned"));
    QCOMPARE(composed(red, green), QString());
    const QString first = shown();

    // After a restart HDMI-1 still has B, and DP-1 gets C in a picture under a new name.
    engine.reset();
    settings = std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
    engine = makeEngine(settings.get());
    QCOMPARE(failureOf(engine->setDesktopWallpaperOn(c, QStringLiteral("DP-1"))), QString());
    QCOMPARE(composed(blue, green), QString());
    QVERIFY(shown() != first);
    // Clear Cache keeps what is shown and the pictures the next composition needs.
    CacheManager(caches.path() + QStringLiteral("/Lumivane"), QString(), settings.get()).clearCache();
    QVERIFY(QFile::exists(shown()));
    QCOMPARE(failureOf(engine->setDesktopWallpaperOn(c, QStringLiteral("DP-1"))), QString());
    QCOMPARE(composed(blue, green), QString());

    QCOMPARE(failureOf(engine->setDesktopWallpaper(a)), QString());
    QCOMPARE(stored(background, QStringLiteral("picture-options")), QStringLiteral("zoom"));
    QCOMPARE(shown(), fileOfA);
    QVERIFY(QDir(spannedFolder).entryList(QDir::Files).isEmpty());
    // "All displays" started every monitor over: HDMI-1 shows A again beside C.
    QCOMPARE(failureOf(engine->setDesktopWallpaperOn(c, QStringLiteral("DP-1"))), QString());
    QCOMPARE(composed(blue, red), QString());
    // Two monitors chosen in quick succession both keep their picture.
    const auto both = [&]() -> QCoro::Task<void> {
        auto first = engine->setDesktopWallpaperOn(a, QStringLiteral("DP-1"));
        auto second = engine->setDesktopWallpaperOn(b, QStringLiteral("HDMI-1"));
        co_await first;
        co_await second;
    };
    QCOMPARE(failureOf(both()), QString());
    QCOMPARE(composed(red, green), QString());

    // Without a display the monitors' places are unknown: refused before anything is fetched.
    screens = {DesktopScreen{}};
    const int fetched = server.requestCount();
    const QString message = failureOf(engine->setDesktopWallpaperOn(serve(QStringLiteral("/d.png"), solid(8, 8, red)),
                                                                    QStringLiteral("HDMI-1")));
    QVERIFY2(message.contains(QLatin1String("without a display")), qPrintable(message));
    // Nor is a picture larger than 16384 pixels a side attempted.
    screens = {{0, QStringLiteral("DP-1"), true, QSize(3840, 2160), QPoint(0, 0)},
               {1, QStringLiteral("HDMI-1"), false, QSize(1920, 1080), QPoint(15000, 0)}};
    const QString tooLarge = failureOf(engine->setDesktopWallpaperOn(serve(QStringLiteral("/e.png"), solid(8, 8, red)),
                                                                     QStringLiteral("HDMI-1")));
    QVERIFY2(tooLarge.contains(QStringLiteral("16920 × 2160")) && tooLarge.contains(QLatin1String("16384")), qPrintable(tooLarge));
    QCOMPARE(server.requestCount(), fetched);
    QCOMPARE(composed(red, green), QString());
}

QTEST_GUILESS_MAIN(TestGSettingsBackend)
#include "tst_platform_gsettings.moc"
