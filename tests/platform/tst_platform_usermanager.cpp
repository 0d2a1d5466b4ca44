// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The automatic change under a real systemd user manager: the Settings switch installs the
// units through the manager's D-Bus API, the manager runs the service, and the GNOME picture
// (GSettings, keyfile backend) changes against a seeded reference service.
//
// systemd refuses `--user` unless the machine was booted with it ("Trying to run as user
// instance, but the system has not been booted with systemd."), which it judges by
// /run/systemd/system. So the manager runs in a mount namespace of its own with that folder on
// a private tmpfs, and in a cgroup of its own, which it then takes for its root: left in the
// root cgroup, it would move every process of the machine into its init.scope.
#include "PlatformTestKit.h"
#include "SeededService.h"
#include "TestSupport.h"
#include "config/PreferenceKeys.h"
#include "platform/SystemdUserTimer.h"
#include "platform/XdgAutostartBackend.h"
#include "services/AutoChangeSchedule.h"
#include "services/CacheManager.h"
#include "services/LoginItem.h"
#include "services/WallpaperEngine.h"
#include "viewmodels/SettingsViewModel.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

const QString systemd = QStringLiteral("org.freedesktop.systemd1");
const QString managerPath = QStringLiteral("/org/freedesktop/systemd1");
const QString managerInterface = QStringLiteral("org.freedesktop.systemd1.Manager");

// Both layouts of the cgroup file system: cgroup v2 alone, or v1 beside a unified v2 tree.
QStringList cgroupRoots()
{
    if (QFile::exists(QStringLiteral("/sys/fs/cgroup/cgroup.procs")))
        return {QStringLiteral("/sys/fs/cgroup")};
    QStringList roots;
    for (const char *tree : {"/sys/fs/cgroup/systemd", "/sys/fs/cgroup/unified"})
        if (QFile::exists(QString::fromLatin1(tree) + QStringLiteral("/cgroup.procs")))
            roots << QString::fromLatin1(tree);
    return roots;
}

} // namespace

class UserManagerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void switchInstallsTheUnitsAndTheTimersServiceChangesThePicture();

private:
    QDBusMessage callManager(const QString &method, const QVariantList &arguments = {});
    QVariant unitProperty(const QString &unit, const QString &interface, const QString &name);

    QTemporaryDir m_dir;
    SeededService m_service;
    QProcess m_manager;
    QString m_cgroup;
    QString m_bus;
};

void UserManagerTest::initTestCase()
{
    if (geteuid() != 0)
        QSKIP("a user manager of its own needs root here (a private mount namespace and cgroup)");
    if (QStandardPaths::findExecutable(QStringLiteral("systemd"), {QStringLiteral("/lib/systemd"), QStringLiteral("/usr/lib/systemd")}).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty() || cgroupRoots().isEmpty())
        QSKIP("systemd, unshare or a cgroup file system is missing");
    if (!SeededService::isBuilt())
        QSKIP("the reference service is not built");
    QVERIFY2(m_service.start(m_dir.filePath(QStringLiteral("catalogue"))), qPrintable(m_service.error()));

    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QVERIFY(!runtime.isEmpty());
    m_bus = QStringLiteral("unix:path=") + runtime + QStringLiteral("/bus");
    m_cgroup = QStringLiteral("lumivane-test-%1").arg(QCoreApplication::applicationPid());
    QString join;
    for (const QString &root : cgroupRoots())
        join += QStringLiteral("mkdir %1/%2 && echo $$ > %1/%2/cgroup.procs && ").arg(root, m_cgroup);
    const QString script = join
        + QStringLiteral("mount -t tmpfs tmpfs /run/systemd && mkdir /run/systemd/system && "
                         "exec $(ls /lib/systemd/systemd /usr/lib/systemd/systemd 2>/dev/null | head -n 1) --user");

    // The manager hands its environment to the service it starts, as a login session's does.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    env.insert(QStringLiteral("LUMIVANE_API_BASE_URL"), m_service.base() + QStringLiteral("/api"));
    env.insert(QStringLiteral("LUMIVANE_IMAGE_BASE_URL"), m_service.base() + QStringLiteral("/images/"));
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/system_bus"));
    m_manager.setProcessEnvironment(env);
    m_manager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_manager.start(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                                                QStringLiteral("sh"), QStringLiteral("-c"), script});
    QVERIFY(m_manager.waitForStarted());

    // Its own dbus.socket gives the user bus; the first connection starts the daemon, and the
    // manager takes its name once that runs.
    QVERIFY2(TestSupport::waitUntil([&] { return QFile::exists(runtime + QStringLiteral("/bus")) || m_manager.state() != QProcess::Running; }, 20000)
                 && m_manager.state() == QProcess::Running,
             "the user manager did not start");
    const bool named = TestSupport::waitUntil(
        [&] {
            QDBusConnection bus = QDBusConnection::connectToBus(m_bus, QStringLiteral("user"));
            if (!bus.isConnected()) {
                QDBusConnection::disconnectFromBus(QStringLiteral("user"));
                return false;
            }
            QDBusMessage has = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                                              QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
            has << systemd;
            return bus.call(has, QDBus::Block, 2000).arguments().value(0).toBool();
        },
        20000);
    QVERIFY2(named, "the user manager is not on its bus");
}

void UserManagerTest::cleanupTestCase()
{
    if (m_manager.state() != QProcess::NotRunning) {
        m_manager.terminate(); // the manager stops its units, the bus among them
        if (!m_manager.waitForFinished(15000)) {
            m_manager.kill();
            m_manager.waitForFinished(5000);
        }
    }
    if (!m_cgroup.isEmpty()) {
        for (const QString &root : cgroupRoots())
            QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"),
                                                     QStringLiteral("[ -d %1/%2 ] && find %1/%2 -depth -type d -exec rmdir {} +").arg(root, m_cgroup)});
    }
    m_service.stop();
}

QDBusMessage UserManagerTest::callManager(const QString &method, const QVariantList &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(systemd, managerPath, managerInterface, method);
    message.setArguments(arguments);
    return QDBusConnection(QStringLiteral("user")).call(message, QDBus::Block, 10000);
}

QVariant UserManagerTest::unitProperty(const QString &unit, const QString &interface, const QString &name)
{
    const QDBusMessage path = callManager(QStringLiteral("LoadUnit"), {unit});
    if (path.type() != QDBusMessage::ReplyMessage)
        return {};
    QDBusMessage get = QDBusMessage::createMethodCall(systemd, path.arguments().value(0).value<QDBusObjectPath>().path(),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interface << name;
    return QDBusConnection(QStringLiteral("user")).call(get, QDBus::Block, 10000).arguments().value(0).value<QDBusVariant>().variant();
}

void UserManagerTest::switchInstallsTheUnitsAndTheTimersServiceChangesThePicture()
{
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString program = qEnvironmentVariable("LUMIVANE_TEST_APP");
    SystemdUserTimer timer(QDBusConnection(QStringLiteral("user")), config + QStringLiteral("/systemd/user"), program);
    XdgAutostartBackend entry(config, program, QStringLiteral("app.lumivane.autochange"), {QStringLiteral("--background")});
    int backgroundStarts = 0;
    AutoChangeSchedule schedule(timer, entry, [&] { ++backgroundStarts; });
    QSettings settings(config + QStringLiteral("/Lumivane/Lumivane.conf"), QSettings::IniFormat);
    CacheManager cache(m_dir.filePath(QStringLiteral("cache")));
    XdgAutostartBackend loginEntry(m_dir.filePath(QStringLiteral("login")), program);
    LoginItem loginItem(loginEntry);
    WallpaperEngine engine(WallpaperEngine::Collaborators{});
    SettingsViewModel vm(settings, cache, loginItem, engine, nullptr, &schedule);
    const auto settled = [&] { return TestSupport::waitUntil([&] { return !schedule.isBusy(); }, 30000); };
    QVERIFY(settled());

    vm.storeChangeInterval(15);
    vm.setAutoChangeWallpaper(true);
    QVERIFY(settled());
    QCOMPARE(vm.error(), QString());
    QCOMPARE(backgroundStarts, 0); // the manager answers: no background mode
    QVERIFY(!QFile::exists(entry.entryPath()));
    const QDBusMessage state = callManager(QStringLiteral("GetUnitFileState"), {SystemdUserTimer::timerName()});
    QCOMPARE(state.arguments().value(0).toString(), QStringLiteral("enabled"));
    QCOMPARE(unitProperty(SystemdUserTimer::timerName(), QStringLiteral("org.freedesktop.systemd1.Unit"), QStringLiteral("ActiveState")).toString(),
             QStringLiteral("active"));
    // Settings' "next change" is when the manager will really run it.
    const QDateTime before = AutoChangeSchedule::nextChange(QDateTime::currentDateTime(), 15, {});
    const qulonglong elapse =
        unitProperty(SystemdUserTimer::timerName(), QStringLiteral("org.freedesktop.systemd1.Timer"), QStringLiteral("NextElapseUSecRealtime"))
            .toULongLong();
    const QDateTime after = AutoChangeSchedule::nextChange(QDateTime::currentDateTime(), 15, {});
    const qint64 elapseMs = qint64(elapse / 1000);
    QVERIFY2(elapseMs == before.toMSecsSinceEpoch() || elapseMs == after.toMSecsSinceEpoch(),
             qPrintable(QDateTime::fromMSecsSinceEpoch(elapseMs).toString(Qt::ISODate) + QStringLiteral(" vs ") + before.toString(Qt::ISODate)));

    // The timer's run, started by the manager as the timer starts it.
    const QString picture = PlatformTestKit::gsettingsGet(QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri"),
                                                          QStringLiteral("keyfile"));
    const QDBusMessage job = callManager(QStringLiteral("StartUnit"), {SystemdUserTimer::serviceName(), QStringLiteral("replace")});
    QVERIFY2(job.type() == QDBusMessage::ReplyMessage, qPrintable(job.errorMessage()));
    const auto serviceState = [&] {
        return unitProperty(SystemdUserTimer::serviceName(), QStringLiteral("org.freedesktop.systemd1.Unit"), QStringLiteral("ActiveState")).toString();
    };
    const auto currentPicture = [] {
        return PlatformTestKit::gsettingsGet(QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri"), QStringLiteral("keyfile"));
    };
    QVERIFY2(TestSupport::waitUntil([&] { return currentPicture() != picture || serviceState() == QLatin1String("failed"); }, 90000),
             qPrintable(serviceState()));
    QVERIFY2(TestSupport::waitUntil([&] { return serviceState() == QLatin1String("inactive") || serviceState() == QLatin1String("failed"); }, 30000),
             qPrintable(serviceState()));
    QCOMPARE(unitProperty(SystemdUserTimer::serviceName(), QStringLiteral("org.freedesktop.systemd1.Service"), QStringLiteral("Result")).toString(),
             QStringLiteral("success"));
    const QString changed = currentPicture();
    QVERIFY2(changed != picture && changed.startsWith(QLatin1String("file://")), qPrintable(changed));
    // The sheet reads the outcome the service left.
    QVERIFY2(TestSupport::waitUntil([&] { return vm.lastResultText().contains(QLatin1String("Changed to")); }, 15000), qPrintable(vm.lastResultText()));

    QVERIFY(QFile::exists(SystemdUserTimer::stampPath())); // the manager's record of the last run

    vm.setAutoChangeWallpaper(false);
    QVERIFY(settled());
    QCOMPARE(vm.error(), QString());
    QVERIFY(!QFile::exists(timer.timerPath()) && !QFile::exists(timer.servicePath()));
    QVERIFY(!QFile::exists(SystemdUserTimer::stampPath()));
    QVERIFY(callManager(QStringLiteral("GetUnitFileState"), {SystemdUserTimer::timerName()}).type() == QDBusMessage::ErrorMessage);
    QCOMPARE(unitProperty(SystemdUserTimer::timerName(), QStringLiteral("org.freedesktop.systemd1.Unit"), QStringLiteral("ActiveState")).toString(),
             QStringLiteral("inactive"));
}

int main(int argc, char *argv[])
{
    qunsetenv("DBUS_SESSION_BUS_ADDRESS"); // nothing here may reach the machine's own session
    qputenv("GSETTINGS_BACKEND", "keyfile");
    QCoreApplication app(argc, argv);
    UserManagerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform_usermanager.moc"
