// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Notifications against python3-dbusmock's notification daemon on a private session bus: the
// exact Notify call, and that a slow, failing or missing server never holds up or fails a
// wallpaper change.
#include "DbusTestBus.h"
#include "FakeDesktop.h"
#include "platform/DBusNotifier.h"
#include "PlatformTestKit.h"
#include "ScriptedHttpServer.h"
#include "services/WallpaperEngine.h"
#include "TestSupport.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using PlatformTestKit::failureOf;

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");

QDBusMessage mock(const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath, mockInterface, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
}

// The arguments of every Notify call the mock received, in order.
QList<QVariantList> notifyCalls()
{
    QList<QVariantList> calls;
    const QDBusMessage reply = mock(QStringLiteral("GetMethodCalls"), {QStringLiteral("Notify")});
    if (reply.type() != QDBusMessage::ReplyMessage)
        return calls;
    const QDBusArgument all = reply.arguments().value(0).value<QDBusArgument>();
    all.beginArray();
    while (!all.atEnd()) {
        qulonglong timestamp = 0;
        all.beginStructure();
        all >> timestamp;
        QVariantList arguments;
        all.beginArray();
        while (!all.atEnd()) {
            QDBusVariant value;
            all >> value;
            QVariant v = value.variant();
            if (v.canConvert<QDBusArgument>()) {
                // Containers arrive still marshalled.
                const QDBusArgument inner = v.value<QDBusArgument>();
                if (inner.currentSignature() == QLatin1String("as"))
                    v = qdbus_cast<QStringList>(inner);
                else
                    v = qdbus_cast<QVariantMap>(inner);
            }
            arguments.append(v);
        }
        all.endArray();
        all.endStructure();
        calls.append(arguments);
    }
    all.endArray();
    return calls;
}

// Replaces the mock's Notify with `code` (Python, run by dbusmock).
bool replaceNotify(const QString &code)
{
    const QDBusMessage reply = mock(QStringLiteral("AddMethod"),
                                    {service, QStringLiteral("Notify"), QStringLiteral("susssasa{sv}i"),
                                     QStringLiteral("u"), code});
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace

class TestNotifier : public QObject
{
    Q_OBJECT

public:
    explicit TestNotifier(DbusTestBus &bus)
        : m_bus(bus)
    {
    }

private Q_SLOTS:
    void initTestCase();
    void init();

    void notifyCarriesTheAppTitleBodyAndSound();
    void slowServerDoesNotHoldUpTheCaller();
    void failingNotifyIsIgnoredByTheEngine();

private:
    DbusTestBus &m_bus;
    bool m_mockRunning = false;
};

void TestNotifier::initTestCase()
{
    QVERIFY(m_bus.isRunning());
    const QString python = qEnvironmentVariable("LUMIVANE_TEST_PYTHON3", QStringLiteral("/usr/bin/python3"));
    if (!QFileInfo(python).isExecutable()
        || QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")}) != 0)
        QSKIP("python3-dbusmock is not installed");

    // First with no server at all: the post is dropped without an error or a wait.
    QVERIFY(!m_bus.hasOwner(service));
    QElapsedTimer clock;
    clock.start();
    DBusNotifier().post(QStringLiteral("Wallpaper Set"), QStringLiteral("nobody listens"));
    QVERIFY(clock.elapsed() < 500);

    QVERIFY(m_bus.startService(python, {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                                        QStringLiteral("notification_daemon")},
                               service));
    m_mockRunning = true;
}

void TestNotifier::init()
{
    QVERIFY(m_mockRunning);
    QCOMPARE(mock(QStringLiteral("ClearCalls"), {}).type(), QDBusMessage::ReplyMessage);
}

void TestNotifier::notifyCarriesTheAppTitleBodyAndSound()
{
    DBusNotifier notifier(QDBusConnection::sessionBus());
    notifier.post(QStringLiteral("Wallpaper Set"), QStringLiteral("Desktop wallpaper has been updated"));
    notifier.post(QStringLiteral("Lock Screen Set"), QStringLiteral("Lock screen wallpaper has been updated"));

    QList<QVariantList> calls;
    QVERIFY(TestSupport::waitUntil([&] { return (calls = notifyCalls()).size() == 2; }, 5000));
    const QVariantList &first = calls[0];
    QCOMPARE(first.size(), 8);
    QCOMPARE(first[0].toString(), QStringLiteral("Lumivane")); // app name
    QCOMPARE(first[1].metaType(), QMetaType::fromType<uint>());
    QCOMPARE(first[1].toUInt(), 0u); // a new notification, replacing none
    QCOMPARE(first[3].toString(), QStringLiteral("Wallpaper Set"));
    QCOMPARE(first[4].toString(), QStringLiteral("Desktop wallpaper has been updated"));
    QCOMPARE(first[5].toStringList(), QStringList());
    const QVariantMap hints = first[6].toMap();
    QVERIFY2(hints.contains(QStringLiteral("sound-name")) || hints.contains(QStringLiteral("sound-file")),
             qPrintable(QStringList(hints.keys()).join(u',')));
    QVERIFY(!hints.value(QStringLiteral("suppress-sound")).toBool());
    QCOMPARE(first[7].metaType(), QMetaType::fromType<int>());
    QCOMPARE(first[7].toInt(), -1); // the server's default timeout

    QCOMPARE(calls[1][3].toString(), QStringLiteral("Lock Screen Set"));
    QCOMPARE(calls[1][4].toString(), QStringLiteral("Lock screen wallpaper has been updated"));
}

void TestNotifier::slowServerDoesNotHoldUpTheCaller()
{
    QVERIFY(replaceNotify(QStringLiteral("import time; time.sleep(1.5); ret = 7")));
    QElapsedTimer clock;
    clock.start();
    DBusNotifier(QDBusConnection::sessionBus()).post(QStringLiteral("Wallpaper Set"), QStringLiteral("slow"));
    QVERIFY2(clock.elapsed() < 1000, "post() waited for the notification server");
    QVERIFY(TestSupport::waitUntil([] { return notifyCalls().size() == 1; }, 5000));
}

void TestNotifier::failingNotifyIsIgnoredByTheEngine()
{
    QVERIFY(replaceNotify(QStringLiteral("raise dbus.exceptions.DBusException('notifications are off', "
                                         "name='org.freedesktop.Notifications.Error.Disabled')")));
    QTemporaryDir caches;
    ScriptedHttpServer server;
    ScriptedHttpServer::Response image;
    image.body = TestSupport::pngBytes();
    server.on("GET", QStringLiteral("/images/pic.png"), image);
    QNetworkAccessManager network;
    FakeDesktop desk(2);
    DBusNotifier notifier(QDBusConnection::sessionBus());

    WallpaperEngine engine(PlatformTestKit::engineParts(desk, network, notifier, caches.path()));

    QCOMPARE(failureOf(engine.setDesktopWallpaper(QUrl(server.url().toString() + QStringLiteral("/images/pic.png")))), QString());
    QCOMPARE(failureOf(engine.setLockScreenWallpaper(QUrl(server.url().toString() + QStringLiteral("/images/pic.png")))), QString());
    QCOMPARE(desk.desktopCalls.size(), 2);
    QCOMPARE(desk.lockScreenCalls.size(), 1);
    QList<QVariantList> calls;
    QVERIFY(TestSupport::waitUntil([&] { return (calls = notifyCalls()).size() == 2; }, 5000));
    QCOMPARE(calls[0][3].toString(), QStringLiteral("Wallpaper Set"));
    QCOMPARE(calls[1][3].toString(), QStringLiteral("Lock Screen Set"));
}

LUMIVANE_DBUS_TEST_MAIN(TestNotifier)
#include "tst_platform_notifier.moc"
