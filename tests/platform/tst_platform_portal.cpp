// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The portal backend against a Wallpaper portal stand-in on a private session bus: what it is
// sent (a descriptor to the file's bytes, the options) and how it waits for the Response.
#include "DbusTestBus.h"
#include "platform/PortalDesktopBackend.h"
#include "PlatformTestKit.h"
#include "PortalStandIn.h"
#include "TestSupport.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {

using PlatformTestKit::failureOf;

} // namespace

class TestPortalBackend : public QObject
{
    Q_OBJECT

public:
    explicit TestPortalBackend(DbusTestBus &bus)
        : m_bus(bus)
    {
    }

private Q_SLOTS:
    void initTestCase();

    void sendsTheFileAndTheOptions_data();
    void sendsTheFileAndTheOptions();
    void answerDecidesTheOutcome_data();
    void answerDecidesTheOutcome();
    void waitsForTheResponseSignal();
    void anotherRequestsAnswerIsNotOurs();
    void noAnswerTimesOut();
    void lockScreenOnlyWhereThePortalHonoursIt();
    void aRememberedRefusalIsNamed();
    void oldPortalsWithTheirOwnRequestPath();
    void refusalAndUnreadableFile();

private:
    QString picture(const QString &name, const QByteArray &bytes)
    {
        return PlatformTestKit::writeFile(m_dir.path(), name, bytes);
    }

    DbusTestBus &m_bus;
    QTemporaryDir m_dir;
};

void TestPortalBackend::initTestCase()
{
    QVERIFY(m_bus.isRunning());
    QVERIFY(m_dir.isValid());
    QVERIFY(QDBusConnection::sessionBus().connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing);
}

void TestPortalBackend::sendsTheFileAndTheOptions_data()
{
    QTest::addColumn<bool>("lockScreen");
    QTest::addColumn<QString>("setOn");
    QTest::newRow("desktop") << false << QStringLiteral("background");
    QTest::newRow("lock screen") << true << QStringLiteral("lockscreen");
}

void TestPortalBackend::sendsTheFileAndTheOptions()
{
    QFETCH(bool, lockScreen);
    QFETCH(QString, setOn);
    PortalStandIn portal;
    QVERIFY(portal.registerOnBus());
    // Only a portal known to honour set-on is sent the lock screen.
    PortalDesktopBackend backend(QDBusConnection::sessionBus(), std::chrono::minutes(2), lockScreen);
    QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
    bytes += QByteArray(100000, 'p'); // more than one read's worth
    const QString path = picture(QStringLiteral("portal pic.png"), bytes);

    if (lockScreen)
        QCOMPARE(failureOf(backend.setLockScreenImage(path)), QString());
    else
        QCOMPARE(failureOf(backend.setDesktopImage(path, DesktopScreen{1, QStringLiteral("DP-2"), false})), QString());

    QCOMPARE(portal.calls.size(), 1);
    const PortalStandIn::Call &call = portal.calls.first();
    QCOMPARE(call.sender, QDBusConnection::sessionBus().baseService());
    QCOMPARE(call.parentWindow, QString());
    QCOMPARE(call.bytes, bytes);
    QVERIFY(call.readOnly);
    QCOMPARE(call.options.value(QStringLiteral("set-on")).metaType(), QMetaType::fromType<QString>());
    QCOMPARE(call.options.value(QStringLiteral("set-on")).toString(), setOn);
    QCOMPARE(call.options.value(QStringLiteral("show-preview")).metaType(), QMetaType::fromType<bool>());
    QCOMPARE(call.options.value(QStringLiteral("show-preview")).toBool(), false);
    // The token becomes the last element of an object path: only [A-Za-z0-9_] is allowed.
    const QString token = call.options.value(QStringLiteral("handle_token")).toString();
    QVERIFY(!token.isEmpty());
    QVERIFY2(QRegularExpression(QStringLiteral("^[A-Za-z0-9_]+$")).match(token).hasMatch(), qPrintable(token));
    QCOMPARE(call.options.size(), 3);
}

void TestPortalBackend::answerDecidesTheOutcome_data()
{
    QTest::addColumn<uint>("code");
    QTest::addColumn<bool>("beforeReply");
    QTest::addColumn<QString>("failure");
    QTest::newRow("done") << 0u << false << QString();
    QTest::newRow("done, answered before the reply") << 0u << true << QString();
    QTest::newRow("cancelled") << 1u << false << QStringLiteral("Failed to set wallpaper: the change was cancelled");
    QTest::newRow("cancelled, answered before the reply")
        << 1u << true << QStringLiteral("Failed to set wallpaper: the change was cancelled");
    QTest::newRow("failed") << 2u << false
                            << QStringLiteral("Failed to set wallpaper: the desktop portal could not set the picture");
}

void TestPortalBackend::answerDecidesTheOutcome()
{
    QFETCH(uint, code);
    QFETCH(bool, beforeReply);
    QFETCH(QString, failure);
    PortalStandIn portal;
    portal.answer = code;
    portal.answerBeforeReply = beforeReply;
    QVERIFY(portal.registerOnBus());
    // A short timeout: an answer that is missed fails the row quickly instead of passing late.
    PortalDesktopBackend backend(QDBusConnection::sessionBus(), 3s);
    QCOMPARE(failureOf(backend.setDesktopImage(picture(QStringLiteral("a.jpg"), "a"), DesktopScreen{})), failure);
}

void TestPortalBackend::waitsForTheResponseSignal()
{
    PortalStandIn portal;
    portal.answer = 1u;
    portal.answerDelayMs = 400;
    QVERIFY(portal.registerOnBus());
    PortalDesktopBackend backend(QDBusConnection::sessionBus());
    auto task = backend.setDesktopImage(picture(QStringLiteral("slow.jpg"), "slow"), DesktopScreen{});
    QElapsedTimer clock;
    clock.start();
    QVERIFY(TestSupport::waitUntil([&] { return !portal.calls.isEmpty(); }, 5000));
    // The method's reply has been sent; the outcome is still open until the user answers.
    TestSupport::waitUntil([] { return false; }, 150);
    QVERIFY(!task.isReady());
    const QString message = failureOf(std::move(task));
    QVERIFY(clock.elapsed() >= 350);
    QCOMPARE(message, QStringLiteral("Failed to set wallpaper: the change was cancelled"));
}

void TestPortalBackend::anotherRequestsAnswerIsNotOurs()
{
    PortalStandIn portal;
    portal.answerOnAnotherRequest = true;
    QVERIFY(portal.registerOnBus());
    PortalDesktopBackend backend(QDBusConnection::sessionBus(), 500ms);
    const QString message = failureOf(backend.setDesktopImage(picture(QStringLiteral("b.jpg"), "b"), DesktopScreen{}));
    QCOMPARE(message, QStringLiteral("Failed to set wallpaper: the desktop portal did not answer"));
}

void TestPortalBackend::noAnswerTimesOut()
{
    PortalStandIn portal;
    portal.answer.reset();
    QVERIFY(portal.registerOnBus());
    PortalDesktopBackend backend(QDBusConnection::sessionBus(), 300ms);
    QElapsedTimer clock;
    clock.start();
    const QString message = failureOf(backend.setDesktopImage(picture(QStringLiteral("c.jpg"), "c"), DesktopScreen{}));
    QCOMPARE(message, QStringLiteral("Failed to set wallpaper: the desktop portal did not answer"));
    QVERIFY(clock.elapsed() < 5000);
    // Withdrawn, so a late "Allow" in a dialog cannot change the picture after the failure.
    QCOMPARE(portal.closedRequests, QStringList{portal.calls.value(0).requestPath});
}

// GNOME's portal would set the desktop picture when asked for the lock screen.
void TestPortalBackend::lockScreenOnlyWhereThePortalHonoursIt()
{
    PortalStandIn portal;
    QVERIFY(portal.registerOnBus());
    PortalDesktopBackend backend(QDBusConnection::sessionBus(), 3s);
    const DesktopCapabilities can = TestSupport::run(backend.capabilities());
    QVERIFY(can.desktopPicture && !can.lockScreenPicture);
    const QString message = failureOf(backend.setLockScreenImage(picture(QStringLiteral("lock.jpg"), "l")));
    QVERIFY2(message.endsWith(can.lockScreenNote) && message.contains(QLatin1String("lock-screen")), qPrintable(message));
    QCOMPARE(portal.calls.size(), 0);
}

// The portal answers 2 both for a refusal it remembers and for any other failure; only the
// permission store tells them apart.
void TestPortalBackend::aRememberedRefusalIsNamed()
{
    PortalStandIn portal;
    portal.answer = 2u;
    portal.wallpaperPermissions = QMap<QString, QStringList>{{QString(), {QStringLiteral("no")}},
                                                             {QStringLiteral("org.other.App"), {QStringLiteral("yes")}}};
    QVERIFY(portal.registerOnBus());
    PortalDesktopBackend backend(QDBusConnection::sessionBus(), 3s);
    const QString message = failureOf(backend.setDesktopImage(picture(QStringLiteral("f.jpg"), "f"), DesktopScreen{}));
    QVERIFY2(message.contains(QLatin1String("permission to change the wallpaper was refused")), qPrintable(message));
}

void TestPortalBackend::oldPortalsWithTheirOwnRequestPath()
{
    PortalStandIn portal;
    portal.pathOfItsOwn = true;
    portal.answerDelayMs = 50;
    QVERIFY(portal.registerOnBus());
    PortalDesktopBackend backend(QDBusConnection::sessionBus(), 3s);
    QCOMPARE(failureOf(backend.setDesktopImage(picture(QStringLiteral("d.jpg"), "d"), DesktopScreen{})), QString());
    portal.answer = 2u;
    QVERIFY(failureOf(backend.setDesktopImage(picture(QStringLiteral("d.jpg"), "d"), DesktopScreen{}))
                .endsWith(QLatin1String("could not set the picture")));
}

void TestPortalBackend::refusalAndUnreadableFile()
{
    PortalStandIn portal;
    portal.refuseWith = QStringLiteral("Wallpaper changes are not allowed");
    QVERIFY(portal.registerOnBus());
    PortalDesktopBackend backend(QDBusConnection::sessionBus(), 3s);
    QString message = failureOf(backend.setDesktopImage(picture(QStringLiteral("e.jpg"), "e"), DesktopScreen{}));
    QCOMPARE(message, QStringLiteral("Failed to set wallpaper: the desktop portal refused the picture: "
                                     "Wallpaper changes are not allowed"));

    message = failureOf(backend.setDesktopImage(m_dir.path() + QStringLiteral("/missing.jpg"), DesktopScreen{}));
    QVERIFY2(message.contains(QLatin1String("could not open")), qPrintable(message));
    QCOMPARE(portal.calls.size(), 1);
}

LUMIVANE_DBUS_TEST_MAIN(TestPortalBackend)
#include "tst_platform_portal.moc"
