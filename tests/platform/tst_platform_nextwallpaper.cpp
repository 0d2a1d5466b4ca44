// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// `lumivane --next-wallpaper` end to end, as the timer runs it: the real program against a
// seeded reference service, setting the GNOME picture through GSettings (keyfile backend, read
// back with `gsettings`), notifying a dbusmock notification daemon, and asking GIO's network
// monitor, which finds a dbusmock NetworkManager when the system bus is pointed at one.
#include "SeededService.h"
#include "config/PreferenceKeys.h"
#include "DbusTestBus.h"
#include "PlatformTestKit.h"
#include "services/APIClient.h"
#include "TestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Outcome {
    int exitCode = -1;
    QString output;
};

QString picture()
{
    return PlatformTestKit::gsettingsGet(QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri"),
                                         QStringLiteral("keyfile"));
}

} // namespace

class NextWallpaperCommand : public QObject
{
    Q_OBJECT

public:
    explicit NextWallpaperCommand(DbusTestBus &bus)
        : m_bus(bus)
    {
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void eachRunShowsAnotherFavouriteSkippingABrokenOne();
    void aMeteredConnectionDownloadsNothing();
    void backgroundModeChangesKeepsToOneInstanceAndEndsWithTheSwitch();
    void aChangeMissedOfflineIsDoneWhenTheNetworkReturns();

private:
    QProcessEnvironment environment(const QMap<QString, QString> &extra = {}) const;
    Outcome run(const QMap<QString, QString> &extra = {});
    QSettings &appSettings();
    bool networkManager(bool connected, bool metered);
    int cachedFiles() const
    {
        return QDir(qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/Lumivane/Wallpapers")).entryList(QDir::Files).size();
    }

    DbusTestBus &m_bus;
    QTemporaryDir m_dir;
    SeededService m_service;
    QString m_base;
    QString m_python;
    std::unique_ptr<QSettings> m_settings;
    QStringList m_good;
    QString m_broken;
    QHash<QString, QString> m_titles;
};

void NextWallpaperCommand::initTestCase()
{
    QVERIFY(m_bus.isRunning());
    if (!SeededService::isBuilt())
        QSKIP("the reference service is not built");
    m_python = qEnvironmentVariable("LUMIVANE_TEST_PYTHON3");
    if (m_python.isEmpty() || QProcess::execute(m_python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")}) != 0)
        QSKIP("python3-dbusmock is not installed");
    const QString data = m_dir.filePath(QStringLiteral("catalogue"));
    QVERIFY2(m_service.start(data), qPrintable(m_service.error()));
    m_base = m_service.base();

    // Six favourites with pictures of their own; the file of one is gone from the image host.
    APIClient api(QUrl(m_base + QStringLiteral("/api")));
    const PaginatedResponse<Wallpaper> page = TestSupport::run(api.fetchWallpapers(1, 20));
    QSet<QString> keys;
    QStringList favourites;
    for (const Wallpaper &w : page.data) {
        if (!w.fullKey() || keys.contains(*w.fullKey()) || favourites.size() == 6)
            continue;
        keys.insert(*w.fullKey());
        favourites << w.id();
        m_titles.insert(w.id(), w.title());
        if (favourites.size() == 2) {
            m_broken = w.id();
            QVERIFY(QFile::remove(data + QStringLiteral("/images/") + *w.fullKey()));
        } else {
            m_good << w.id();
        }
    }
    QCOMPARE(favourites.size(), 6);
    appSettings().setValue(PreferenceKeys::favoriteIds, favourites);
    appSettings().sync();
}

void NextWallpaperCommand::cleanupTestCase()
{
    m_service.stop();
}

QSettings &NextWallpaperCommand::appSettings()
{
    if (!m_settings)
        m_settings = std::make_unique<QSettings>(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Lumivane/Lumivane.conf"),
                                                 QSettings::IniFormat);
    m_settings->sync();
    return *m_settings;
}

QProcessEnvironment NextWallpaperCommand::environment(const QMap<QString, QString> &extra) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    env.insert(QStringLiteral("LUMIVANE_API_BASE_URL"), m_base + QStringLiteral("/api"));
    env.insert(QStringLiteral("LUMIVANE_IMAGE_BASE_URL"), m_base + QStringLiteral("/images/"));
    // A system bus with nothing on it: this machine's NetworkManager must not decide the outcome.
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/system_bus"));
    for (auto it = extra.begin(); it != extra.end(); ++it)
        env.insert(it.key(), it.value());
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) // as a timer runs it
        env.remove(QString::fromLatin1(name));
    return env;
}

Outcome NextWallpaperCommand::run(const QMap<QString, QString> &extra)
{
    QProcess app;
    app.setProcessEnvironment(environment(extra));
    app.setProcessChannelMode(QProcess::MergedChannels);
    app.start(qEnvironmentVariable("LUMIVANE_TEST_APP"), {QStringLiteral("--next-wallpaper")});
    Outcome outcome;
    if (!app.waitForFinished(90000)) {
        app.kill();
        app.waitForFinished(5000);
        outcome.output = QStringLiteral("<did not finish>");
        return outcome;
    }
    outcome.exitCode = app.exitStatus() == QProcess::NormalExit ? app.exitCode() : -1;
    outcome.output = QString::fromUtf8(app.readAll());
    return outcome;
}

void NextWallpaperCommand::eachRunShowsAnotherFavouriteSkippingABrokenOne()
{
    const QString log = m_dir.filePath(QStringLiteral("notifications.log"));
    QVERIFY(m_bus.startService(m_python, {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                                          QStringLiteral("notification_daemon"), QStringLiteral("--logfile"), log},
                               QStringLiteral("org.freedesktop.Notifications")));
    QStringList shown;
    QString before = picture();
    for (int i = 0; i < 6; ++i) {
        const Outcome outcome = run();
        QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.output));
        const QString now = picture();
        QVERIFY2(now != before && now.startsWith(QLatin1String("file://")), qPrintable(now));
        before = now;
        const QString id = appSettings().value(PreferenceKeys::autoChangeCurrentId).toString();
        QVERIFY2(m_good.contains(id), qPrintable(id));
        QVERIFY2(outcome.output.contains(m_titles.value(id)), qPrintable(outcome.output));
        shown << id;
    }
    // The five that work, each once, before any comes again; never twice in a row.
    QCOMPARE(QSet<QString>(shown.begin(), shown.begin() + 5), QSet<QString>(m_good.begin(), m_good.end()));
    QVERIFY(shown[5] != shown[4]);
    QVERIFY(!shown.contains(m_broken));
    QFile file(log);
    QVERIFY(TestSupport::waitUntil([&] { return file.open(QIODevice::ReadOnly) && file.readAll().count("Wallpaper changed") == 6; }));
}

// NetworkManager's stand-in: connected or not, metered or not. Later calls change the
// properties and announce it, as NetworkManager does.
bool NextWallpaperCommand::networkManager(bool connected, bool metered)
{
    const QString nm = QStringLiteral("org.freedesktop.NetworkManager");
    const bool first = !m_bus.hasOwner(nm);
    if (first
        && !m_bus.startService(m_python, {QStringLiteral("-m"), QStringLiteral("dbusmock"), nm, QStringLiteral("/org/freedesktop/NetworkManager"), nm},
                               nm))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(nm, QStringLiteral("/org/freedesktop/NetworkManager"), QStringLiteral("org.freedesktop.DBus.Mock"),
                                                       first ? QStringLiteral("AddProperties") : QStringLiteral("UpdateProperties"));
    call << nm << QVariantMap{{QStringLiteral("State"), QVariant::fromValue(uint(connected ? 70 : 20))},      // global or disconnected
                              {QStringLiteral("Connectivity"), QVariant::fromValue(uint(connected ? 4 : 1))}, // full or none
                              {QStringLiteral("Metered"), QVariant::fromValue(uint(metered ? 1 : 2))}};
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        qWarning("%s", qPrintable(reply.errorMessage()));
    return reply.type() == QDBusMessage::ReplyMessage;
}

void NextWallpaperCommand::aMeteredConnectionDownloadsNothing()
{
    QVERIFY(networkManager(true, true));

    appSettings().remove(PreferenceKeys::favoriteIds); // the whole catalogue: nothing cached yet
    appSettings().sync();
    const QString before = picture();
    const int files = cachedFiles();
    const Outcome outcome = run({{QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QString::fromUtf8(m_bus.address())}});
    QVERIFY2(outcome.exitCode == 0 && outcome.output.contains(QLatin1String("metered")), qPrintable(outcome.output));
    QCOMPARE(picture(), before);
    QCOMPARE(cachedFiles(), files);
    QVERIFY(appSettings().value(PreferenceKeys::autoChangeLastResult).toString().contains(QLatin1String("metered")));

    // The same run on an unmetered connection changes the picture from the newest wallpapers.
    const Outcome unmetered = run();
    QVERIFY2(unmetered.exitCode == 0, qPrintable(unmetered.output));
    QVERIFY(picture() != before);
}

// Where no systemd user manager runs, the login item starts this mode instead of the timer.
void NextWallpaperCommand::backgroundModeChangesKeepsToOneInstanceAndEndsWithTheSwitch()
{
    appSettings().setValue(PreferenceKeys::autoChangeWallpaper, true);
    appSettings().remove(PreferenceKeys::autoChangeLastRun); // never ran: a change is due at once
    appSettings().sync();
    const QString before = picture();
    QProcess background;
    background.setProcessEnvironment(environment());
    background.setProcessChannelMode(QProcess::ForwardedChannels);
    background.start(qEnvironmentVariable("LUMIVANE_TEST_APP"), {QStringLiteral("--background")});
    QVERIFY(background.waitForStarted());
    QVERIFY2(TestSupport::waitUntil([&] { return picture() != before; }, 30000), "the background mode changed nothing");

    QProcess second;
    second.setProcessEnvironment(environment());
    second.start(qEnvironmentVariable("LUMIVANE_TEST_APP"), {QStringLiteral("--background")});
    QVERIFY(second.waitForFinished(10000)); // the first one keeps the schedule
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(background.state(), QProcess::Running);

    appSettings().setValue(PreferenceKeys::autoChangeWallpaper, false);
    appSettings().sync();
    const bool ended = background.waitForFinished(10000);
    if (!ended)
        background.kill();
    QVERIFY2(ended, "the background mode outlived the switch");
    QCOMPARE(background.exitCode(), 0);
}

// The timer fires while the machine is offline: the run waits for the system to report the
// network back and then makes the change, instead of leaving it to the next interval.
void NextWallpaperCommand::aChangeMissedOfflineIsDoneWhenTheNetworkReturns()
{
    QVERIFY(networkManager(false, false));
    // The service is reached through a port that nothing answers on until the network is back.
    QTcpServer gate;
    QVERIFY(gate.listen(QHostAddress::LocalHost));
    const quint16 port = gate.serverPort();
    gate.close();
    const QUrl service(m_base);
    QObject::connect(&gate, &QTcpServer::newConnection, &gate, [&] {
        while (QTcpSocket *client = gate.nextPendingConnection()) {
            auto *upstream = new QTcpSocket(client);
            upstream->connectToHost(QHostAddress::LocalHost, quint16(service.port()));
            QObject::connect(client, &QTcpSocket::readyRead, upstream, [=] { upstream->write(client->readAll()); });
            QObject::connect(upstream, &QTcpSocket::readyRead, client, [=] { client->write(upstream->readAll()); });
            QObject::connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
            QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    const QString gated = QStringLiteral("http://127.0.0.1:%1").arg(port);
    const QString before = picture();
    appSettings().remove(PreferenceKeys::autoChangeLastRun);
    appSettings().sync();

    QProcess app;
    app.setProcessEnvironment(environment({{QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QString::fromUtf8(m_bus.address())},
                                           {QStringLiteral("LUMIVANE_API_BASE_URL"), gated + QStringLiteral("/api")},
                                           {QStringLiteral("LUMIVANE_IMAGE_BASE_URL"), gated + QStringLiteral("/images/")}}));
    app.setProcessChannelMode(QProcess::MergedChannels);
    app.start(qEnvironmentVariable("LUMIVANE_TEST_APP"), {QStringLiteral("--next-wallpaper")});
    const auto failedOnce = [&] { return appSettings().value(PreferenceKeys::autoChangeLastFailed).toBool()
                                         && appSettings().contains(PreferenceKeys::autoChangeLastRun); };
    QVERIFY2(TestSupport::waitUntil(failedOnce, 30000), qPrintable(QString::fromUtf8(app.readAll())));
    QTest::qWait(500); // it is waiting for the network now
    QCOMPARE(app.state(), QProcess::Running);
    QCOMPARE(picture(), before);

    QVERIFY(gate.listen(QHostAddress::LocalHost, port));
    QVERIFY(networkManager(true, false));
    // Well before the once-a-minute retry: the report of the network itself woke it.
    QVERIFY2(TestSupport::waitUntil([&] { return app.state() == QProcess::NotRunning; }, 20000),
             qPrintable(QStringLiteral("no change when the network came back; last: ")
                        + appSettings().value(PreferenceKeys::autoChangeLastResult).toString()));
    const QString output = QString::fromUtf8(app.readAll());
    QVERIFY2(app.exitCode() == 0 && picture() != before, qPrintable(output));
    QVERIFY(!appSettings().value(PreferenceKeys::autoChangeLastFailed).toBool());
}

LUMIVANE_DBUS_TEST_MAIN(NextWallpaperCommand)
#include "tst_platform_nextwallpaper.moc"
