// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Xfce backend against the real xfconfd on a private session bus. Values are read back with
// xfconf-query, Xfce's own client, and their types with GetProperty.
#include "DbusTestBus.h"
#include "platform/XfceDesktopBackend.h"
#include "PlatformTestKit.h"
#include "TestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString channel = QStringLiteral("xfce4-desktop");

using PlatformTestKit::failureOf;

QDBusMessage xfconf(const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.xfce.Xfconf"), QStringLiteral("/org/xfce/Xfconf"),
                                                       QStringLiteral("org.xfce.Xfconf"), method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
}

void seed(const QString &property, const QString &value)
{
    const QDBusMessage reply =
        xfconf(QStringLiteral("SetProperty"), {channel, property, QVariant::fromValue(QDBusVariant(value))});
    QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
}

// The property's value as xfconf-query prints it; empty when it does not exist.
QString query(const QString &property)
{
    QProcess tool;
    tool.start(QStringLiteral("xfconf-query"), {QStringLiteral("-c"), channel, QStringLiteral("-p"), property});
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0)
        return {};
    QString out = QString::fromUtf8(tool.readAllStandardOutput());
    if (out.endsWith(u'\n'))
        out.chop(1);
    return out;
}

QVariant typedValue(const QString &property)
{
    const QDBusMessage reply = xfconf(QStringLiteral("GetProperty"), {channel, property});
    if (reply.type() != QDBusMessage::ReplyMessage)
        return {};
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

} // namespace

class TestXfceBackend : public QObject
{
    Q_OBJECT

public:
    explicit TestXfceBackend(DbusTestBus &bus)
        : m_bus(bus)
    {
    }

private Q_SLOTS:
    void initTestCase();

    // In this order: the first one finds an empty channel.
    void emptyChannelGetsAnEntryForTheScreen();
    void everyWorkspaceOfTheNamedMonitorAndNoOther();
    void numberedMonitorsOfOlderXfce();
    void unusableMonitorNameFailsHonestly();
    void lockScreenIsNotOffered();
    void withoutADisplayEveryKnownMonitor();

private:
    QString picture(const QString &name) { return PlatformTestKit::writeFile(m_dir.path(), name); }
    static QString folder(const QString &monitor, int workspace)
    {
        return QStringLiteral("/backdrop/screen0/monitor%1/workspace%2").arg(monitor).arg(workspace);
    }
    void verifyShows(const QString &folderPath, const QString &path);

    DbusTestBus &m_bus;
    QTemporaryDir m_dir;
};

void TestXfceBackend::initTestCase()
{
    QVERIFY(m_bus.isRunning());
    QVERIFY(m_dir.isValid());
    QString daemon;
    for (const char *candidate : {"/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd", "/usr/lib/aarch64-linux-gnu/xfce4/xfconf/xfconfd",
                                  "/usr/libexec/xfconfd", "/usr/lib/xfce4/xfconf/xfconfd"}) {
        if (QFileInfo(QString::fromLatin1(candidate)).isExecutable()) {
            daemon = QString::fromLatin1(candidate);
            break;
        }
    }
    if (daemon.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xfconf-query")).isEmpty())
        QSKIP("xfconfd is not installed (Debian package xfconf)");
    // Its settings land under this test's own XDG_CONFIG_HOME.
    QVERIFY(m_bus.startService(daemon, {}, QStringLiteral("org.xfce.Xfconf")));
}

void TestXfceBackend::verifyShows(const QString &folderPath, const QString &path)
{
    QCOMPARE(query(folderPath + QStringLiteral("/last-image")), path);
    const QVariant style = typedValue(folderPath + QStringLiteral("/image-style"));
    // xfdesktop reads image-style as an int; a string or uint "5" is ignored.
    QCOMPARE(style.metaType(), QMetaType::fromType<int>());
    QCOMPARE(style.toInt(), 5);
}

void TestXfceBackend::emptyChannelGetsAnEntryForTheScreen()
{
    QVERIFY(query(QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image")).isEmpty());
    XfceDesktopBackend xfce(QDBusConnection::sessionBus());
    const QString path = picture(QStringLiteral("first light.jpg"));
    // Without a display nothing names a monitor: fail rather than write one xfdesktop never reads.
    const QString message = failureOf(xfce.setDesktopImage(path, DesktopScreen{0, QString(), true}));
    QVERIFY2(message.contains(QLatin1String("monitor")), qPrintable(message));
    QVERIFY(query(folder(QStringLiteral("0"), 0) + QStringLiteral("/last-image")).isEmpty());
    QCOMPARE(failureOf(xfce.setDesktopImage(path, DesktopScreen{0, QStringLiteral("HDMI-1"), true})), QString());
    verifyShows(folder(QStringLiteral("HDMI-1"), 0), path);
}

void TestXfceBackend::everyWorkspaceOfTheNamedMonitorAndNoOther()
{
    const QString old = QStringLiteral("/usr/share/backgrounds/xfce/old.png");
    for (int workspace : {0, 1, 3})
        seed(folder(QStringLiteral("DP-2"), workspace) + QStringLiteral("/last-image"), old);
    seed(folder(QStringLiteral("eDP-1"), 0) + QStringLiteral("/last-image"), old);

    XfceDesktopBackend xfce(QDBusConnection::sessionBus());
    const QString path = picture(QStringLiteral("Ét\u00e9 \"quoted\" $HOME.png"));
    QCOMPARE(failureOf(xfce.setDesktopImage(path, DesktopScreen{1, QStringLiteral("DP-2"), false})), QString());

    for (int workspace : {0, 1, 3})
        verifyShows(folder(QStringLiteral("DP-2"), workspace), path);
    // No workspace is invented, and the other monitor keeps its picture.
    QVERIFY(query(folder(QStringLiteral("DP-2"), 2) + QStringLiteral("/last-image")).isEmpty());
    QCOMPARE(query(folder(QStringLiteral("eDP-1"), 0) + QStringLiteral("/last-image")), old);
    QVERIFY(!typedValue(folder(QStringLiteral("eDP-1"), 0) + QStringLiteral("/image-style")).isValid());
}

void TestXfceBackend::numberedMonitorsOfOlderXfce()
{
    seed(folder(QStringLiteral("1"), 0) + QStringLiteral("/last-image"), QStringLiteral("/old.png"));
    XfceDesktopBackend xfce(QDBusConnection::sessionBus());
    const QString path = picture(QStringLiteral("numbered.jpg"));
    QCOMPARE(failureOf(xfce.setDesktopImage(path, DesktopScreen{1, QStringLiteral("VGA-1"), false})), QString());
    verifyShows(folder(QStringLiteral("1"), 0), path);
    QVERIFY(query(folder(QStringLiteral("VGA-1"), 0) + QStringLiteral("/last-image")).isEmpty());
}

void TestXfceBackend::unusableMonitorNameFailsHonestly()
{
    // xfconfd accepts only some characters in property names; a refusal must surface.
    XfceDesktopBackend xfce(QDBusConnection::sessionBus());
    const QString message =
        failureOf(xfce.setDesktopImage(picture(QStringLiteral("odd.jpg")), DesktopScreen{5, QStringLiteral("Odd screen?*"), false}));
    QVERIFY2(message.startsWith(QLatin1String("Failed to set wallpaper: Xfce")), qPrintable(message));
}

void TestXfceBackend::lockScreenIsNotOffered()
{
    XfceDesktopBackend xfce(QDBusConnection::sessionBus());
    const QString message = failureOf(xfce.setLockScreenImage(picture(QStringLiteral("lock.jpg"))));
    QVERIFY2(message.contains(QLatin1String("lock-screen picture")), qPrintable(message));
    const DesktopCapabilities can = TestSupport::run(xfce.capabilities());
    QVERIFY(can.desktopPicture && can.perMonitor && !can.lockScreenPicture);
}

// From ssh or a timer Qt's only screen is the offscreen one, which has no name.
void TestXfceBackend::withoutADisplayEveryKnownMonitor()
{
    XfceDesktopBackend xfce(QDBusConnection::sessionBus());
    const QString path = picture(QStringLiteral("headless.jpg"));
    QCOMPARE(failureOf(xfce.setDesktopImage(path, DesktopScreen{0, QString(), true})), QString());
    for (int workspace : {0, 1, 3})
        verifyShows(folder(QStringLiteral("DP-2"), workspace), path);
    verifyShows(folder(QStringLiteral("eDP-1"), 0), path);
    verifyShows(folder(QStringLiteral("HDMI-1"), 0), path);
    QVERIFY(query(folder(QStringLiteral("0"), 0) + QStringLiteral("/last-image")).isEmpty());
    QVERIFY(query(folder(QString(), 0) + QStringLiteral("/last-image")).isEmpty());
}

LUMIVANE_DBUS_TEST_MAIN(TestXfceBackend)
#include "tst_platform_xfce.moc"
