// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command backends of bare X sessions against the real programs on a private Xvfb: the
// picture is judged by the colour of the root window's background pixmap, as a compositor or
// the X server itself draws it.
#include "platform/CommandDesktopBackend.h"
#include "platform/QProcessRunner.h"
#include "PlatformTestKit.h"
#include "TestSupport.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

using PlatformTestKit::failureOf;
using Tool = CommandDesktopBackend::Tool;

// The colour at the centre of the root window's background pixmap (_XROOTPMAP_ID, which feh and
// xwallpaper set), or an invalid colour with the reason in `why`.
QColor rootBackgroundCentre(const QByteArray &display, QString &why)
{
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    QColor colour;
    if (xcb_connection_has_error(connection)) {
        why = QStringLiteral("cannot connect to ") + QString::fromLatin1(display);
        xcb_disconnect(connection);
        return colour;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const char name[] = "_XROOTPMAP_ID";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr);
    xcb_get_property_reply_t *property =
        atom && atom->atom ? xcb_get_property_reply(connection,
                                                    xcb_get_property(connection, 0, screen->root, atom->atom,
                                                                     XCB_ATOM_PIXMAP, 0, 1),
                                                    nullptr)
                           : nullptr;
    if (!property || xcb_get_property_value_length(property) < 4) {
        why = QStringLiteral("the root window has no background pixmap");
    } else {
        const xcb_pixmap_t pixmap = *static_cast<xcb_pixmap_t *>(xcb_get_property_value(property));
        xcb_get_image_reply_t *image = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, int16_t(screen->width_in_pixels / 2),
                          int16_t(screen->height_in_pixels / 2), 1, 1, ~0u),
            nullptr);
        if (!image || xcb_get_image_data_length(image) < 4) {
            why = QStringLiteral("the background pixmap cannot be read");
        } else {
            const uint8_t *p = xcb_get_image_data(image); // depth 24 in 32 bits: B, G, R, x
            colour = QColor(p[2], p[1], p[0]);
        }
        std::free(image);
    }
    std::free(property);
    std::free(atom);
    xcb_disconnect(connection);
    return colour;
}

bool near(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) < 8 && std::abs(a.green() - b.green()) < 8 && std::abs(a.blue() - b.blue()) < 8;
}

} // namespace

class TestCommandBackends : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void twoPicturesInARowAreShown_data();
    void twoPicturesInARowAreShown();
    void failuresSayWhatTheProgramSaid();
    void commandLinesForTheWaylandTools();

private:
    QString picture(const QString &name, const QColor &colour)
    {
        QImage image(64, 40, QImage::Format_RGB32); // not the screen's shape: filled and cropped
        image.fill(colour);
        const QString path = m_dir.path() + u'/' + name;
        image.save(path, "PNG");
        return path;
    }

    QTemporaryDir m_dir;
    QProcess m_xvfb;
    QByteArray m_display;
};

void TestCommandBackends::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        QSKIP("Xvfb is not installed (Debian package xvfb)");
    // Xvfb picks a free display itself and writes its number to descriptor 3. Without -noreset it
    // resets when its last client leaves, and the background goes with it; a session always
    // has its window manager connected.
    const QString numberFile = m_dir.path() + QStringLiteral("/display");
    m_xvfb.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"),
                                              QStringLiteral("exec Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 320x200x24 3>\"$0\""),
                                              numberFile});
    QVERIFY(m_xvfb.waitForStarted());
    QVERIFY2(TestSupport::waitUntil([&] { QFile f(numberFile); return f.open(QIODevice::ReadOnly) && f.readAll().trimmed().size() > 0; },
                                    10000),
             "Xvfb did not start");
    QFile file(numberFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_display = ':' + file.readAll().trimmed();
    qputenv("DISPLAY", m_display); // the programs run by the backend draw there
}

void TestCommandBackends::cleanupTestCase()
{
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }
}

void TestCommandBackends::twoPicturesInARowAreShown_data()
{
    QTest::addColumn<Tool>("tool");
    QTest::newRow("feh") << Tool::Feh;
    QTest::newRow("xwallpaper") << Tool::Xwallpaper;
}

void TestCommandBackends::twoPicturesInARowAreShown()
{
    QFETCH(Tool, tool);
    const QString program = QStandardPaths::findExecutable(CommandDesktopBackend::programName(tool));
    if (program.isEmpty())
        QSKIP("the program is not installed (Debian packages feh, xwallpaper)");
    QProcessRunner runner;
    CommandDesktopBackend backend(tool, program, runner);
    const DesktopCapabilities can = TestSupport::run(backend.capabilities());
    QVERIFY(can.desktopPicture && !can.lockScreenPicture && !can.perMonitor);

    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    for (const QColor &colour : {QColor(200, 30, 40), QColor(20, 60, 210)}) {
        const QString path = picture(tag + colour.name() + QStringLiteral(" with space.png"), colour);
        QCOMPARE(failureOf(backend.setDesktopImage(path, DesktopScreen{0, QStringLiteral("screen"), true})), QString());
        QString why;
        const QColor shown = rootBackgroundCentre(m_display, why);
        QVERIFY2(shown.isValid(), qPrintable(why));
        QVERIFY2(near(shown, colour), qPrintable(shown.name() + QStringLiteral(" instead of ") + colour.name()));
    }
    QVERIFY(failureOf(backend.setLockScreenImage(picture(tag + QStringLiteral("lock.png"), Qt::green)))
                .endsWith(can.lockScreenNote));
}

void TestCommandBackends::failuresSayWhatTheProgramSaid()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("feh"));
    if (program.isEmpty())
        QSKIP("feh is not installed");
    QProcessRunner runner;
    CommandDesktopBackend feh(Tool::Feh, program, runner);
    const QString text = PlatformTestKit::writeFile(m_dir.path(), QStringLiteral("not a picture.png"), "<html>portal</html>");
    const QString message = failureOf(feh.setDesktopImage(text, DesktopScreen{}));
    QVERIFY2(message.startsWith(QLatin1String("Failed to set wallpaper: feh ")), qPrintable(message));

    CommandDesktopBackend missing(Tool::Xwallpaper, m_dir.path() + QStringLiteral("/no-such-program"), runner);
    QVERIFY2(failureOf(missing.setDesktopImage(text, DesktopScreen{})).contains(QLatin1String("could not be started")),
             "a program that is not there");
}

// No compositor runs here: what would be sent to each, one argument per element.
void TestCommandBackends::commandLinesForTheWaylandTools()
{
    const QString path = QStringLiteral("/p/a \"b\".png");
    QCOMPARE(CommandDesktopBackend::commands(Tool::Sway, path, QStringLiteral("DP-1")).value(0),
             (QStringList{QStringLiteral("output"), QStringLiteral("DP-1"), QStringLiteral("bg"),
                          QStringLiteral("\"/p/a \\\"b\\\".png\""), QStringLiteral("fill")}));
    QCOMPARE(CommandDesktopBackend::commands(Tool::Sway, path, QString()).value(0).value(1), QStringLiteral("*"));
    QCOMPARE(CommandDesktopBackend::commands(Tool::Hyprpaper, path, QString()).value(1),
             (QStringList{QStringLiteral("hyprpaper"), QStringLiteral("wallpaper"), u',' + path}));
    QCOMPARE(CommandDesktopBackend::commands(Tool::Swww, path, QStringLiteral("HDMI-A-1")).value(0),
             (QStringList{QStringLiteral("img"), QStringLiteral("--resize"), QStringLiteral("crop"), QStringLiteral("--outputs"),
                          QStringLiteral("HDMI-A-1"), QStringLiteral("--"), path}));
}

QTEST_GUILESS_MAIN(TestCommandBackends)
#include "tst_platform_command.moc"
