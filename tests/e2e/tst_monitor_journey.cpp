// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The detail sheet's choice of one monitor, through the real window on two screens (DP-1 and
// HDMI-1), into Xfce's real xfconfd on a private bus, read back with xfconf-query: the chosen
// monitor's picture changes, the other one's stays. Run again with LUMIVANE_JOURNEY_DESKTOP=GNOME
// into GSettings' keyfile backend: there one picture spanning both screens is composed.
#include "DbusTestBus.h"
#include "ItemTree.h"
#include "SeededService.h"
#include "WindowScript.h"
#include "WindowTestMain.h"
#include "app/LumivaneApp.h"
#include "models/Wallpaper.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)

namespace {

using ItemTree::itemsWhere;
using ItemTree::reallyVisible;

QString lastImageKey(const QString &monitor)
{
    return QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(monitor);
}

// xfconf-query's word for the property, empty when it does not exist.
QString xfconf(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xfconf-query"), QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")} + arguments);
    tool.waitForFinished(10000);
    return tool.exitCode() == 0 ? QString::fromUtf8(tool.readAllStandardOutput()).trimmed() : QString();
}

bool onGnome()
{
    return qgetenv("LUMIVANE_JOURNEY_DESKTOP") == "GNOME";
}

QString gsettings(const QString &key)
{
    QProcess tool;
    tool.start(QStringLiteral("gsettings"), {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.background"), key});
    tool.waitForFinished(10000);
    QString value = QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    return value.size() >= 2 && value.startsWith(u'\'') ? value.mid(1, value.size() - 2) : value;
}

QString xfconfd()
{
    for (const char *candidate : {"/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd", "/usr/lib/aarch64-linux-gnu/xfce4/xfconf/xfconfd",
                                  "/usr/libexec/xfconfd", "/usr/lib/xfce4/xfconf/xfconfd"}) {
        if (QFileInfo(QString::fromLatin1(candidate)).isExecutable())
            return QString::fromLatin1(candidate);
    }
    return {};
}

} // namespace

class MonitorJourney : public QObject
{
    Q_OBJECT

public:
    explicit MonitorJourney(DbusTestBus &bus)
        : m_bus(bus)
    {
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { m_app.reset(); }
    void oneMonitorChosenByKeyboardGetsThePicture();

private:
    QQuickItem *waitForVisible(const QString &objectName);
    void click(QQuickItem *item);

    DbusTestBus &m_bus;
    QTemporaryDir m_dir;
    SeededService m_service;
    std::unique_ptr<LumivaneApp> m_app;
    QQuickWindow *m_window = nullptr;
};

void MonitorJourney::initTestCase()
{
    if (!SeededService::isBuilt())
        QSKIP("the reference service is not built");
    QCOMPARE(QGuiApplication::screens().size(), 2);
    if (onGnome()) {
        QCOMPARE(qgetenv("GSETTINGS_BACKEND"), QByteArray("keyfile"));
        if (gsettings(QStringLiteral("picture-options")).isEmpty())
            QSKIP("gsettings or the GNOME schemas are not installed (libglib2.0-bin, gsettings-desktop-schemas)");
    } else {
        if (xfconfd().isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xfconf-query")).isEmpty())
            QSKIP("xfconfd is not installed (Debian package xfconf)");
        QVERIFY(m_bus.startService(xfconfd(), {}, QStringLiteral("org.xfce.Xfconf")));
    }
    QVERIFY2(m_service.start(m_dir.filePath(QStringLiteral("catalogue"))), qPrintable(m_service.error()));
    m_service.exportToApp();
    m_window = WindowScript::startApp(m_app);
    QVERIFY(m_window);
    m_window->requestActivate();
}

QQuickItem *MonitorJourney::waitForVisible(const QString &objectName)
{
    QQuickItem *found = nullptr;
    (void)QTest::qWaitFor([&] {
        found = itemsWhere(m_window->contentItem(), [&](QQuickItem *item) {
                    return item->objectName() == objectName && reallyVisible(item);
                }).value(0);
        return found != nullptr;
    }, 20000);
    return found;
}

void MonitorJourney::click(QQuickItem *item)
{
    QVERIFY(item);
    const QPoint centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    // The pointer comes onto it first, as a person's does.
    QTest::mouseMove(m_window, centre);
    QTest::qWait(20);
    QTest::mouseClick(m_window, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::qWait(50);
}

void MonitorJourney::oneMonitorChosenByKeyboardGetsThePicture()
{
    const QString before = QStringLiteral("/usr/share/backgrounds/earlier.png");
    if (!onGnome())
        xfconf({QStringLiteral("-p"), lastImageKey(QStringLiteral("DP-1")), QStringLiteral("-n"), QStringLiteral("-t"),
            QStringLiteral("string"), QStringLiteral("-s"), before});
    if (!onGnome())
        QCOMPARE(xfconf({QStringLiteral("-p"), lastImageKey(QStringLiteral("DP-1"))}), before);

    QQuickItem *card = waitForVisible(QStringLiteral("wallpaperCard"));
    QTRY_VERIFY_WITH_TIMEOUT(!card->property("wallpaper").value<Wallpaper>().id().isEmpty(), 20000);
    const QRectF cardRect = card->mapRectToScene(card->boundingRect());
    click(card);
    QVERIFY2(waitForVisible(QStringLiteral("detailClose")),
             qPrintable(QStringLiteral("no detail sheet after a click on the card at %1,%2 %3×%4 in a %5×%6 window")
                            .arg(cardRect.x()).arg(cardRect.y()).arg(cardRect.width()).arg(cardRect.height())
                            .arg(m_window->width()).arg(m_window->height())));
    QQuickItem *all = waitForVisible(QStringLiteral("monitorChoice0"));
    QVERIFY2(all, "no choice of monitor in the detail sheet");
    QQuickItem *second = waitForVisible(QStringLiteral("monitorChoice2"));
    QVERIFY(second);
    QCOMPARE(all->property("text").toString(), QStringLiteral("All displays"));
    QCOMPARE(second->property("text").toString(), QStringLiteral("HDMI-1 — 1920 × 1080"));
    QVERIFY(all->property("selected").toBool());

    // Left and Right step through the choices, Return picks one.
    all->forceActiveFocus(Qt::TabFocusReason);
    QTest::keyClick(m_window, Qt::Key_Right);
    QTest::keyClick(m_window, Qt::Key_Right);
    QVERIFY(second->hasActiveFocus());
    QTest::keyClick(m_window, Qt::Key_Return);
    QVERIFY(second->property("selected").toBool());
    QVERIFY(!all->property("selected").toBool());

    // The next stop is "Set Desktop".
    QTest::keyClick(m_window, Qt::Key_Tab);
    QCOMPARE(m_window->activeFocusItem()->objectName(), QStringLiteral("setDesktopButton"));
    QTest::keyClick(m_window, Qt::Key_Return);
    if (onGnome()) {
        // One picture as large as both screens together, laid across them; nothing is below
        // HDMI-1, which is shorter than DP-1.
        QTRY_COMPARE_WITH_TIMEOUT(gsettings(QStringLiteral("picture-options")), QStringLiteral("spanned"), 20000);
        const QImage spanned(QUrl(gsettings(QStringLiteral("picture-uri"))).toLocalFile());
        QCOMPARE(spanned.size(), QSize(2560 + 1920, 1440));
        QCOMPARE(spanned.pixelColor(4000, 1300), QColor(Qt::black));
        QVERIFY(spanned.pixelColor(3000, 500) != QColor(Qt::black));
        return;
    }
    QString shown;
    QTRY_VERIFY_WITH_TIMEOUT(!(shown = xfconf({QStringLiteral("-p"), lastImageKey(QStringLiteral("HDMI-1"))})).isEmpty(), 30000);
    QVERIFY2(QFile::exists(shown), qPrintable(shown));
    QCOMPARE(xfconf({QStringLiteral("-p"), lastImageKey(QStringLiteral("DP-1"))}), before);
}

int main(int argc, char *argv[])
{
    // Two named screens of different sizes for Qt's offscreen platform.
    QTemporaryDir config;
    const QString path = config.filePath(QStringLiteral("screens.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [
        {"name": "DP-1", "x": 0, "y": 0, "width": 2560, "height": 1440, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "HDMI-1", "x": 2560, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toUtf8());
    return runWindowTest(argc, argv, [&](DbusTestBus &bus) {
        qputenv("XDG_CURRENT_DESKTOP", onGnome() ? "GNOME" : "XFCE");
        MonitorJourney test(bus);
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_monitor_journey.moc"
