// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// `lumivane --set-wallpaper URL` end to end: the real program downloads from a local HTTP server
// and sets the GNOME picture through GSettings; another process then reads the setting back.
#include "DbusTestBus.h"
#include "PlatformTestKit.h"
#include "ScriptedHttpServer.h"
#include "services/WallpaperEngine.h"
#include "TestSupport.h"

#include <gio/gio.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <unistd.h>

namespace {

const QByteArray png = QByteArray::fromBase64(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==");

struct Outcome {
    int exitCode = -1;
    QString errors;
    QString output;
};

QString gsettingsGet(const QString &backend, const QString &schema, const QString &key)
{
    return PlatformTestKit::gsettingsGet(schema, key, backend);
}

// Both halves of dconf: the service and GIO's module for it (without the module GIO quietly
// falls back to keeping settings in memory).
bool dconfInstalled()
{
    if (!QFileInfo::exists(QStringLiteral("/usr/libexec/dconf-service")))
        return false;
    const QFileInfoList libs = QDir(QStringLiteral("/usr/lib")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo &lib : libs) {
        if (QFileInfo::exists(lib.filePath() + QStringLiteral("/gio/modules/libdconfsettings.so")))
            return true;
    }
    return QFileInfo::exists(QStringLiteral("/usr/lib/gio/modules/libdconfsettings.so"));
}

QString fileUri(const QString &path)
{
    gchar *uri = g_filename_to_uri(QFile::encodeName(path).constData(), nullptr, nullptr);
    const QString result = QString::fromUtf8(uri);
    g_free(uri);
    return result;
}

} // namespace

class TestSetWallpaperCommand : public QObject
{
    Q_OBJECT

public:
    explicit TestSetWallpaperCommand(DbusTestBus &bus)
        : m_bus(bus)
    {
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void setsTheGnomePicture_data();
    void setsTheGnomePicture();
    void notFoundFailsWithTheError();
    void lockScreenOnGnomeSaysWhyItIsNotShown();
    void rejectsWhatIsNotAUrl();
    void terminalUsesNeedNoDisplay();
    void notificationReachesADaemonStartedOnDemand();
    void withoutADisplayIntoARunningXfce();

private:
    Outcome run(const QStringList &arguments, const QString &settingsBackend, const QString &desktop = QStringLiteral("GNOME"),
                bool withSessionBus = true, bool withDisplay = true, const QString &waylandDisplay = {});
    QString cached(const QString &name) const
    {
        return qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/Lumivane/Wallpapers/")
            + WallpaperEngine::localFileName(QUrl(m_server.url().toString() + QStringLiteral("/images/") + name));
    }

    DbusTestBus &m_bus;
    ScriptedHttpServer m_server;
};

void TestSetWallpaperCommand::initTestCase()
{
    QVERIFY(m_bus.isRunning());
    QVERIFY(QFileInfo(qEnvironmentVariable("LUMIVANE_TEST_APP")).isExecutable());
    QVERIFY(!qEnvironmentVariable("XDG_CACHE_HOME").isEmpty());
    if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
        QSKIP("gsettings is not installed (Debian package libglib2.0-bin)");
    ScriptedHttpServer::Response image;
    image.body = png;
    image.headers = {{"Content-Type", "image/png"}};
    for (const char *name : {"keyfile.png", "keyfile-no-session-bus.png", "dconf.png", "lock.png", "headless.png", "notified.png",
                             "xfce-all.png", "xfce-one.png", "gnome-one.png"})
        m_server.on("GET", QStringLiteral("/images/") + QLatin1String(name), image);
}

void TestSetWallpaperCommand::cleanupTestCase()
{
    // The bus started dconf-service on demand, and it does not leave when the bus goes away.
    const QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                                      QStringLiteral("org.freedesktop.DBus"),
                                                      QStringLiteral("GetConnectionUnixProcessID"));
    for (const char *name : {"ca.desrt.dconf", "org.freedesktop.Notifications"}) {
        QDBusMessage question = ask;
        question << QString::fromLatin1(name);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(question, QDBus::Block, 5000);
        if (reply.type() == QDBusMessage::ReplyMessage) {
            const pid_t pid = pid_t(reply.arguments().value(0).toUInt());
            if (pid > 1 && pid != ::getpid())
                ::kill(pid, SIGTERM);
        }
    }
}

Outcome TestSetWallpaperCommand::run(const QStringList &arguments, const QString &settingsBackend, const QString &desktop,
                                     bool withSessionBus, bool withDisplay, const QString &waylandDisplay)
{
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), settingsBackend);
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
    if (withDisplay) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else { // as over ssh: no platform chosen and nothing to draw on
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        if (!waylandDisplay.isEmpty())
            env.insert(QStringLiteral("WAYLAND_DISPLAY"), waylandDisplay);
    }
    if (!withSessionBus) // a bus address that leads nowhere, so nothing is started on demand either
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
    app.setProcessEnvironment(env);
    app.start(qEnvironmentVariable("LUMIVANE_TEST_APP"), arguments);
    Outcome outcome;
    // The HTTP server answers on this event loop, so wait without blocking it.
    if (!app.waitForStarted(10000)
        || !TestSupport::waitUntil([&] { return app.state() == QProcess::NotRunning; }, 60000)) {
        app.kill();
        app.waitForFinished(5000);
        outcome.errors = QStringLiteral("<did not finish>");
        return outcome;
    }
    outcome.exitCode = app.exitStatus() == QProcess::NormalExit ? app.exitCode() : -1;
    outcome.errors = QString::fromUtf8(app.readAllStandardError());
    outcome.output = QString::fromUtf8(app.readAllStandardOutput());
    return outcome;
}

void TestSetWallpaperCommand::setsTheGnomePicture_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<bool>("sessionBus");
    QTest::newRow("keyfile") << QStringLiteral("keyfile") << true;
    // From a cron job or an ssh login: no session bus, and GSettings still works.
    QTest::newRow("keyfile, no session bus") << QStringLiteral("keyfile") << false;
    // dconf is what a GNOME session really uses: its writes travel to dconf-service over the
    // bus, so a program that exits right after writing must have waited for them.
    QTest::newRow("dconf") << QStringLiteral("dconf") << true;
}

void TestSetWallpaperCommand::setsTheGnomePicture()
{
    QFETCH(QString, backend);
    QFETCH(bool, sessionBus);
    if (backend == QLatin1String("dconf") && !dconfInstalled())
        QSKIP("dconf is not installed (Debian packages dconf-service, dconf-gsettings-backend)");
    const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(QRegularExpression(QStringLiteral("\\W+")), QStringLiteral("-"))
        + QStringLiteral(".png");
    const Outcome outcome = run({QStringLiteral("--set-wallpaper"), m_server.url().toString() + QStringLiteral("/images/") + name},
                                backend, QStringLiteral("GNOME"), sessionBus);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QCOMPARE(outcome.errors, QString());

    QFile file(cached(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), png);
    const QString schema = QStringLiteral("org.gnome.desktop.background");
    QCOMPARE(gsettingsGet(backend, schema, QStringLiteral("picture-uri")), fileUri(cached(name)));
    QCOMPARE(gsettingsGet(backend, schema, QStringLiteral("picture-uri-dark")), fileUri(cached(name)));
    QCOMPARE(gsettingsGet(backend, schema, QStringLiteral("picture-options")), QStringLiteral("zoom"));
    if (backend == QLatin1String("keyfile")) {
        QFile keyfile(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/glib-2.0/settings/keyfile"));
        QVERIFY(keyfile.open(QIODevice::ReadOnly));
        QVERIFY(keyfile.readAll().contains(fileUri(cached(name)).toUtf8()));
    }
}

void TestSetWallpaperCommand::notFoundFailsWithTheError()
{
    const QString before = gsettingsGet(QStringLiteral("keyfile"), QStringLiteral("org.gnome.desktop.background"),
                                        QStringLiteral("picture-uri"));
    const Outcome outcome = run({QStringLiteral("--set-wallpaper"), m_server.url().toString() + QStringLiteral("/images/missing.png")},
                                QStringLiteral("keyfile"));
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.contains(QLatin1String("Failed to download wallpaper")), qPrintable(outcome.errors));
    QVERIFY(!QFileInfo::exists(cached(QStringLiteral("missing.png"))));
    QCOMPARE(gsettingsGet(QStringLiteral("keyfile"), QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri")),
             before);
}

void TestSetWallpaperCommand::lockScreenOnGnomeSaysWhyItIsNotShown()
{
    const QString url = m_server.url().toString() + QStringLiteral("/images/lock.png");
    const QString screensaver = QStringLiteral("org.gnome.desktop.screensaver");
    const QString before = gsettingsGet(QStringLiteral("keyfile"), screensaver, QStringLiteral("picture-uri"));
    const int requests = m_server.requestCount();
    Outcome outcome = run({QStringLiteral("--set-wallpaper"), url, QStringLiteral("--lock-screen")}, QStringLiteral("keyfile"));
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.contains(QLatin1String("Failed to set wallpaper: GNOME")), qPrintable(outcome.errors));
    // Said before anything is downloaded, and nothing is left written.
    QCOMPARE(m_server.requestCount(), requests);
    QCOMPARE(gsettingsGet(QStringLiteral("keyfile"), screensaver, QStringLiteral("picture-uri")), before);

    // Budgie draws its own lock screen from that key: there it succeeds.
    outcome = run({QStringLiteral("--set-wallpaper"), url, QStringLiteral("--lock-screen")}, QStringLiteral("keyfile"),
                  QStringLiteral("Budgie:GNOME"));
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
}

void TestSetWallpaperCommand::rejectsWhatIsNotAUrl()
{
    const int requests = m_server.requestCount();
    Outcome outcome = run({QStringLiteral("--set-wallpaper"), QString()}, QStringLiteral("keyfile"));
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.startsWith(QLatin1String("lumivane: ")), qPrintable(outcome.errors));
    outcome = run({QStringLiteral("--lock-screen")}, QStringLiteral("keyfile"));
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.contains(QLatin1String("--set-wallpaper")), qPrintable(outcome.errors));
    QCOMPARE(m_server.requestCount(), requests);
}

void TestSetWallpaperCommand::terminalUsesNeedNoDisplay()
{
    const QString keyfile = QStringLiteral("keyfile");
    Outcome outcome = run({QStringLiteral("--help")}, keyfile, QStringLiteral("GNOME"), true, false);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QVERIFY2(outcome.output.contains(QLatin1String("--set-wallpaper")), qPrintable(outcome.output));

    outcome = run({QStringLiteral("--version")}, keyfile, QStringLiteral("GNOME"), true, false);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QVERIFY(outcome.output.startsWith(QLatin1String("Lumivane ")));

    outcome = run({QStringLiteral("--no-such-option")}, keyfile, QStringLiteral("GNOME"), true, false);
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.contains(QLatin1String("no-such-option")), qPrintable(outcome.errors));

    const QString url = m_server.url().toString() + QStringLiteral("/images/headless.png");
    outcome = run({QStringLiteral("--set-wallpaper"), url}, keyfile, QStringLiteral("GNOME"), true, false);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QCOMPARE(gsettingsGet(keyfile, QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri")),
             fileUri(cached(QStringLiteral("headless.png"))));

    // A Wayland session whose display Qt cannot open (no qt6-wayland, as on a bare sway): the
    // command falls back to drawing nowhere instead of aborting.
    outcome = run({QStringLiteral("--set-wallpaper"), url}, keyfile, QStringLiteral("GNOME"), true, false,
                  QStringLiteral("lumivane-no-such-display"));
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));

    // A Qt option alone would start the window offscreen, where nobody could see or close it.
    outcome = run({QStringLiteral("-reverse")}, keyfile, QStringLiteral("GNOME"), true, false);
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.contains(QLatin1String("no display")), qPrintable(outcome.errors));
}

// dunst, mako and xfce4-notifyd are started by the bus when the first Notify arrives; the command
// must not exit before that call is delivered (a fire-and-forget call from a process gone is lost).
void TestSetWallpaperCommand::notificationReachesADaemonStartedOnDemand()
{
    const QString python = qEnvironmentVariable("LUMIVANE_TEST_PYTHON3");
    if (python.isEmpty() || QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")}) != 0)
        QSKIP("python3-dbusmock is not installed");
    const QString log = QDir(qEnvironmentVariable("XDG_CACHE_HOME")).filePath(QStringLiteral("notifications.log"));
    QVERIFY(m_bus.addActivatable(QStringLiteral("org.freedesktop.Notifications"), python,
                                 {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                                  QStringLiteral("notification_daemon"), QStringLiteral("--logfile"), log}));
    QVERIFY(!m_bus.hasOwner(QStringLiteral("org.freedesktop.Notifications")));
    const Outcome outcome = run({QStringLiteral("--set-wallpaper"), m_server.url().toString() + QStringLiteral("/images/notified.png")},
                                QStringLiteral("keyfile"));
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    const auto logged = [&] {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("Notify");
    };
    QVERIFY2(TestSupport::waitUntil(logged, 10000), "the notification never reached the daemon");
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("app.lumivane.Lumivane")); // icon and desktop entry name the sender
}

// Over ssh or from a timer, into a running Xfce session that XDG_CURRENT_DESKTOP does not name:
// xfconfd on the bus decides at once, the monitors are those xfdesktop reads, and --monitor
// picks one of them.
void TestSetWallpaperCommand::withoutADisplayIntoARunningXfce()
{
    QString daemon;
    for (const char *candidate : {"/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd", "/usr/lib/aarch64-linux-gnu/xfce4/xfconf/xfconfd",
                                  "/usr/libexec/xfconfd", "/usr/lib/xfce4/xfconf/xfconfd"}) {
        if (QFileInfo(QString::fromLatin1(candidate)).isExecutable())
            daemon = QString::fromLatin1(candidate);
    }
    if (daemon.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xfconf-query")).isEmpty())
        QSKIP("xfconfd is not installed (Debian package xfconf)");
    QVERIFY(m_bus.startService(daemon, {}, QStringLiteral("org.xfce.Xfconf")));
    const auto property = [](const QString &monitor) {
        return QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(monitor);
    };
    const auto query = [](const QString &name) {
        QProcess tool;
        tool.start(QStringLiteral("xfconf-query"), {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"), name});
        tool.waitForFinished(10000);
        return tool.exitCode() == 0 ? QString::fromUtf8(tool.readAllStandardOutput()).trimmed() : QString();
    };
    for (const char *monitor : {"eDP-1", "HDMI-1"}) {
        QCOMPARE(QProcess::execute(QStringLiteral("xfconf-query"), {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"),
                                                                    QStringLiteral("-p"), property(QLatin1String(monitor)),
                                                                    QStringLiteral("-n"), QStringLiteral("-t"), QStringLiteral("string"),
                                                                    QStringLiteral("-s"), QStringLiteral("/old.png")}),
                 0);
    }

    QElapsedTimer clock;
    clock.start();
    const QString base = m_server.url().toString() + QStringLiteral("/images/");
    Outcome outcome = run({QStringLiteral("--set-wallpaper"), base + QStringLiteral("xfce-all.png")}, QStringLiteral("keyfile"),
                          QString(), true, false);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QVERIFY(clock.elapsed() < 30000); // no portal dialog waited for
    for (const char *monitor : {"eDP-1", "HDMI-1"})
        QCOMPARE(query(property(QLatin1String(monitor))), cached(QStringLiteral("xfce-all.png")));
    QVERIFY(query(property(QStringLiteral("0"))).isEmpty()); // no monitor made up
    QVERIFY(query(property(QString())).isEmpty());

    outcome = run({QStringLiteral("--set-wallpaper"), base + QStringLiteral("xfce-one.png"), QStringLiteral("--monitor"),
                   QStringLiteral("HDMI-1")},
                  QStringLiteral("keyfile"), QString(), true, false);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QCOMPARE(query(property(QStringLiteral("HDMI-1"))), cached(QStringLiteral("xfce-one.png")));
    QCOMPARE(query(property(QStringLiteral("eDP-1"))), cached(QStringLiteral("xfce-all.png")));

    // GNOME lays one picture across all monitors, which needs their places: without a display
    // that is said before anything is downloaded.
    const int requests = m_server.requestCount();
    outcome = run({QStringLiteral("--set-wallpaper"), base + QStringLiteral("gnome-one.png"), QStringLiteral("--monitor"),
                   QStringLiteral("HDMI-1")},
                  QStringLiteral("keyfile"));
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.contains(QLatin1String("without a display")), qPrintable(outcome.errors));
    QCOMPARE(m_server.requestCount(), requests);
}

LUMIVANE_DBUS_TEST_MAIN(TestSetWallpaperCommand)
#include "tst_platform_cli.moc"
