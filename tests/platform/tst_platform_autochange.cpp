// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The automatic change's schedule against systemd itself: the unit files it writes are checked
// by `systemd-analyze verify`, its calendar by `systemd-analyze calendar`, and the switch drives
// a stand-in of the user manager (dbusmock) on a private bus, or the login item without one,
// as the Settings switch and interval picker drive them.
#include "DbusTestBus.h"
#include "TestSupport.h"
#include "platform/SystemdUserTimer.h"
#include "platform/XdgAutostartBackend.h"
#include "services/AutoChangeSchedule.h"
#include "services/CacheManager.h"
#include "services/LoginItem.h"
#include "services/WallpaperEngine.h"
#include "viewmodels/SettingsViewModel.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const QString systemd = QStringLiteral("org.freedesktop.systemd1");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");

QDBusMessage toMock(const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(systemd, QStringLiteral("/org/freedesktop/systemd1"), mockInterface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 10000);
}

// The manager's calls since the last look, as "Method arg arg …".
QStringList managerCalls()
{
    const QDBusMessage reply = toMock(QStringLiteral("GetCalls"));
    QStringList calls;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        quint64 time = 0;
        QString method;
        QVariantList arguments;
        list.beginStructure();
        list >> time >> method;
        list.beginArray();
        while (!list.atEnd()) {
            QDBusVariant value;
            list >> value;
            QVariant v = value.variant();
            if (v.canConvert<QDBusArgument>()) {
                QStringList strings;
                v.value<QDBusArgument>() >> strings;
                v = strings.join(u',');
            }
            arguments << v;
        }
        list.endArray();
        list.endStructure();
        QStringList words{method};
        for (const QVariant &a : arguments)
            words << a.toString();
        calls << words.join(u' ');
    }
    list.endArray();
    toMock(QStringLiteral("ClearCalls"));
    return calls;
}

} // namespace

class AutoChangeScheduleTest : public QObject
{
    Q_OBJECT

public:
    explicit AutoChangeScheduleTest(DbusTestBus &bus)
        : m_bus(bus)
    {
    }

private Q_SLOTS:
    void unitsPassSystemdsOwnChecks_data();
    void unitsPassSystemdsOwnChecks();
    void switchDrivesTheUserManagerOrTheLoginItemAndOffLeavesNothing();

private:
    DbusTestBus &m_bus;
};

void AutoChangeScheduleTest::unitsPassSystemdsOwnChecks_data()
{
    QTest::addColumn<int>("minutes");
    for (int minutes : {15, 30, 60, 120, 240, 1440, 45})
        QTest::addRow("%d", minutes) << minutes;
}

void AutoChangeScheduleTest::unitsPassSystemdsOwnChecks()
{
    QFETCH(int, minutes);
    if (QStandardPaths::findExecutable(QStringLiteral("systemd-analyze")).isEmpty())
        QSKIP("systemd-analyze is not installed (Debian package systemd)");
    QTemporaryDir dir;
    // A program path with the characters ExecStart= treats specially.
    const QString program = dir.filePath(QStringLiteral("Lumi vane 100%$HOME"));
    QVERIFY(QFile::link(qEnvironmentVariable("LUMIVANE_TEST_APP"), program));
    SystemdUserTimer timer(QDBusConnection::sessionBus(), dir.filePath(QStringLiteral("user")), program);
    for (const auto &[path, text] : {std::pair{timer.servicePath(), SystemdUserTimer::serviceText(program)},
                                     std::pair{timer.timerPath(), SystemdUserTimer::timerText(minutes)}}) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    QProcess verify;
    verify.start(QStringLiteral("systemd-analyze"),
                 {QStringLiteral("--user"), QStringLiteral("verify"), QStringLiteral("--man=no"), timer.timerPath(), timer.servicePath()});
    QVERIFY(verify.waitForFinished(30000));
    const QString complaints = QString::fromUtf8(verify.readAllStandardError() + verify.readAllStandardOutput());
    QVERIFY2(verify.exitCode() == 0 && !complaints.contains(QLatin1String("lumivane-autochange")), qPrintable(complaints));

    // systemd reads the command back as the program and one argument.
    QVERIFY2(readAll(timer.servicePath()).contains(QStringLiteral("ExecStart=\"") + QString(program).replace(QLatin1String("%"), QLatin1String("%%"))
                                                   + QStringLiteral("\" --next-wallpaper")),
             qPrintable(readAll(timer.servicePath())));

    const QString calendar = SystemdUserTimer::calendarFor(minutes);
    if (calendar.isEmpty()) { // not expressible on the clock: counted from the last run
        QVERIFY(readAll(timer.timerPath()).contains(QStringLiteral("OnUnitActiveSec=%1min").arg(minutes)));
        return;
    }
    QVERIFY(readAll(timer.timerPath()).contains(QStringLiteral("OnCalendar=") + calendar + QStringLiteral("\nPersistent=true\n")));
    // Settings promises the next change when systemd will really run it.
    QProcess next;
    next.start(QStringLiteral("systemd-analyze"), {QStringLiteral("calendar"), calendar});
    QVERIFY(next.waitForFinished(30000));
    const QString answer = QString::fromUtf8(next.readAllStandardOutput());
    const QRegularExpressionMatch elapse =
        QRegularExpression(QStringLiteral("Next elapse: \\w+ (\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)")).match(answer);
    QVERIFY2(elapse.hasMatch(), qPrintable(answer));
    const QDateTime expected = AutoChangeSchedule::nextChange(QDateTime::currentDateTime(), minutes, {});
    QCOMPARE(elapse.captured(1), expected.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void AutoChangeScheduleTest::switchDrivesTheUserManagerOrTheLoginItemAndOffLeavesNothing()
{
    const QString python = qEnvironmentVariable("LUMIVANE_TEST_PYTHON3");
    if (python.isEmpty() || QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")}) != 0)
        QSKIP("python3-dbusmock is not installed");
    QTemporaryDir config;
    const QString program = qEnvironmentVariable("LUMIVANE_TEST_APP");
    SystemdUserTimer timer(QDBusConnection::sessionBus(), config.filePath(QStringLiteral("systemd/user")), program);
    XdgAutostartBackend entry(config.path(), program, QStringLiteral("app.lumivane.autochange"), {QStringLiteral("--background")});
    int started = 0;
    AutoChangeSchedule schedule(timer, entry, [&] { ++started; });
    // Each request returns at once; the work is done once the schedule has settled.
    const auto settled = [&] { return TestSupport::waitUntil([&] { return !schedule.isBusy(); }, 20000); };
    // Driven as the sheet drives it: the switch and the interval picker.
    QSettings settings(config.filePath(QStringLiteral("Lumivane.conf")), QSettings::IniFormat);
    CacheManager cache(config.filePath(QStringLiteral("cache")));
    XdgAutostartBackend loginEntry(config.filePath(QStringLiteral("login")), program);
    LoginItem loginItem(loginEntry);
    WallpaperEngine engine(WallpaperEngine::Collaborators{});
    SettingsViewModel vm(settings, cache, loginItem, engine, nullptr, &schedule);
    const auto leftovers = [&] {
        return QDir(config.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name)
            + QDir(config.filePath(QStringLiteral("systemd/user"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
            + QDir(config.filePath(QStringLiteral("autostart"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    };

    // No user manager: the login item starts the background mode, now and at each login.
    QVERIFY(!TestSupport::run(timer.isAvailable()));
    vm.setAutoChangeWallpaper(true);
    QVERIFY(settled());
    QCOMPARE(started, 1);
    QVERIFY(!QFile::exists(timer.timerPath()));
    QVERIFY2(readAll(entry.entryPath()).contains(QStringLiteral(" --background\n")), qPrintable(readAll(entry.entryPath())));
    // A switch left on from before (or an entry removed by hand) is put back when Settings opens.
    QVERIFY(QFile::remove(entry.entryPath()));
    SettingsViewModel reopened(settings, cache, loginItem, engine, nullptr, &schedule);
    QVERIFY(settled());
    QVERIFY(QFile::exists(entry.entryPath()));
    QCOMPARE(started, 2);
    vm.setAutoChangeWallpaper(false);
    QVERIFY(settled());
    QVERIFY(!QFile::exists(entry.entryPath()));

    // With one: enabled and started with the interval, re-timed, then stopped and removed.
    QVERIFY(m_bus.startService(python, {QStringLiteral("-m"), QStringLiteral("dbusmock"), systemd, QStringLiteral("/org/freedesktop/systemd1"),
                                        QStringLiteral("org.freedesktop.systemd1.Manager")},
                               systemd));
    for (const auto &[name, in, out, code] :
         {std::tuple{"Reload", "", "", ""}, std::tuple{"EnableUnitFiles", "asbb", "ba(sss)", "ret = (False, [])"},
          std::tuple{"DisableUnitFiles", "asb", "a(sss)", "ret = []"},
          std::tuple{"StartUnit", "ss", "o", "ret = '/org/freedesktop/systemd1/job/1'"},
          std::tuple{"StopUnit", "ss", "o", "ret = '/org/freedesktop/systemd1/job/2'"}}) {
        const QDBusMessage reply = toMock(QStringLiteral("AddMethod"),
                                          {QStringLiteral("org.freedesktop.systemd1.Manager"), QString::fromLatin1(name),
                                           QString::fromLatin1(in), QString::fromLatin1(out), QString::fromLatin1(code)});
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }
    managerCalls();
    QVERIFY(TestSupport::run(timer.isAvailable()));

    const QString timerName = SystemdUserTimer::timerName();
    const auto onTimer = [&](const char *method, const char *rest) {
        return QString::fromLatin1(method) + u' ' + timerName + u' ' + QString::fromLatin1(rest);
    };
    vm.storeChangeInterval(15); // while off: nothing is scheduled yet
    QCOMPARE(managerCalls(), QStringList());
    vm.setAutoChangeWallpaper(true);
    QVERIFY(settled());
    QCOMPARE(managerCalls(), (QStringList{QStringLiteral("Reload"), onTimer("EnableUnitFiles", "false true"),
                                          onTimer("StopUnit", "replace"), onTimer("StartUnit", "replace")}));
    QVERIFY(readAll(timer.timerPath()).contains(QStringLiteral("OnCalendar=*-*-* *:00/15:00\nPersistent=true\n")));
    QVERIFY(readAll(timer.servicePath()).contains(QStringLiteral("ExecStart=") + program + QStringLiteral(" --next-wallpaper\n")));
    QVERIFY(!QFile::exists(entry.entryPath()));
    QCOMPARE(started, 2);

    vm.storeChangeInterval(240);
    QVERIFY(settled());
    QVERIFY(readAll(timer.timerPath()).contains(QStringLiteral("OnCalendar=*-*-* 00/4:00:00\n")));
    const QStringList retimed = managerCalls();
    QVERIFY2(retimed.indexOf(QStringLiteral("Reload")) >= 0
                 && retimed.indexOf(onTimer("StartUnit", "replace")) > retimed.indexOf(QStringLiteral("Reload")),
             qPrintable(retimed.join(QStringLiteral("; "))));

    vm.setAutoChangeWallpaper(false);
    QVERIFY(settled());
    QCOMPARE(managerCalls(),
             (QStringList{onTimer("StopUnit", "replace"), onTimer("DisableUnitFiles", "false"), QStringLiteral("Reload")}));
    QCOMPARE(leftovers(), (QStringList{QStringLiteral("Lumivane.conf"), QStringLiteral("autostart"), QStringLiteral("systemd")}));
    QCOMPARE(vm.error(), QString());

    // A manager that takes its time: the switch does not wait for it, and flips made while it
    // works end in the state of the last one, whatever an earlier flip's answers say later.
    for (const auto &[name, in, out, code] :
         {std::tuple{"Reload", "", "", ""}, std::tuple{"EnableUnitFiles", "asbb", "ba(sss)", "ret = (False, [])"},
          std::tuple{"StopUnit", "ss", "o", "ret = '/org/freedesktop/systemd1/job/2'"}}) {
        const QDBusMessage reply = toMock(QStringLiteral("AddMethod"),
                                          {QStringLiteral("org.freedesktop.systemd1.Manager"), QString::fromLatin1(name), QString::fromLatin1(in),
                                           QString::fromLatin1(out), QStringLiteral("import time\ntime.sleep(0.3)\n") + QString::fromLatin1(code)});
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }
    QElapsedTimer clock;
    clock.start();
    vm.setAutoChangeWallpaper(true);
    vm.storeChangeInterval(30);
    vm.setAutoChangeWallpaper(false);
    vm.setAutoChangeWallpaper(true);
    vm.storeChangeInterval(60);
    QVERIFY2(clock.elapsed() < 600, "the switch waited for systemd"); // one blocking flip takes 0.9 s
    QVERIFY(schedule.isBusy());
    QVERIFY(settled());
    QVERIFY(vm.autoChangeWallpaper());
    QVERIFY(readAll(timer.timerPath()).contains(QStringLiteral("OnCalendar=*-*-* 00/1:00:00\n")));
    const QStringList flips = managerCalls();
    QVERIFY2(flips.endsWith(onTimer("StartUnit", "replace")) && flips.count(QStringLiteral("Reload")) == 2,
             qPrintable(flips.join(QStringLiteral("; ")))); // the first flip's run, then only the last one
    vm.setAutoChangeWallpaper(true);
    vm.setAutoChangeWallpaper(false);
    QVERIFY(settled());
    QVERIFY(!QFile::exists(timer.timerPath()) && !QFile::exists(timer.servicePath()));
    QVERIFY(managerCalls().contains(onTimer("DisableUnitFiles", "false")));
    QCOMPARE(vm.error(), QString());

    // A refusal reaches the sheet's last-result line, and goes once a request succeeds.
    const QDBusMessage refuse = toMock(QStringLiteral("AddMethod"),
                                       {QStringLiteral("org.freedesktop.systemd1.Manager"), QStringLiteral("EnableUnitFiles"), QStringLiteral("asbb"),
                                        QStringLiteral("ba(sss)"),
                                        QStringLiteral("raise dbus.exceptions.DBusException('Access denied', name='org.freedesktop.DBus.Error.AccessDenied')")});
    QVERIFY2(refuse.type() == QDBusMessage::ReplyMessage, qPrintable(refuse.errorMessage()));
    vm.setAutoChangeWallpaper(true);
    QVERIFY(settled());
    QVERIFY2(vm.lastResultFailed() && vm.lastResultText().contains(QLatin1String("Access denied")), qPrintable(vm.lastResultText()));
    QVERIFY(!QFile::exists(timer.timerPath())); // else the next start would take it as installed
    vm.setAutoChangeWallpaper(false);
    QVERIFY(settled());
    QVERIFY2(!vm.lastResultText().contains(QLatin1String("Access denied")), qPrintable(vm.lastResultText()));
}

LUMIVANE_DBUS_TEST_MAIN(AutoChangeScheduleTest)
#include "tst_platform_autochange.moc"
