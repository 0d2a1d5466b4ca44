// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Which window buttons go where: GTK's and KWin's notations, and each desktop's own setting read
// where the desktop keeps it (GNOME's through GIO's keyfile backend, set by the gsettings tool).
#include "platform/WindowButtonLayout.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(WindowButtonLayout)

namespace QTest {
template<>
char *toString(const WindowButtonLayout &layout)
{
    return qstrdup(qPrintable(layout.left.join(u',') + u" | "_s + layout.right.join(u',')));
}
} // namespace QTest

class TestWindowButtons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void notations_data();
    void notations();
    void desktopsOwnSettings();
};

void TestWindowButtons::notations_data()
{
    QTest::addColumn<WindowButtonLayout>("parsed");
    QTest::addColumn<WindowButtonLayout>("expected");
    const auto layout = [](QStringList left, QStringList right) { return WindowButtonLayout{left, right}; };
    QTest::newRow("gnome default") << WindowButtonLayout::fromGtk(u"appmenu:close"_s) << layout({}, {u"close"_s});
    QTest::newRow("gtk all right") << WindowButtonLayout::fromGtk(u"appmenu:minimize,maximize,close"_s)
                                   << WindowButtonLayout::standard();
    QTest::newRow("gtk left, reordered") << WindowButtonLayout::fromGtk(u"close,maximize, minimize:icon"_s)
                                         << layout({u"close"_s, u"maximize"_s, u"minimize"_s}, {});
    QTest::newRow("gtk no colon, duplicate, unknown")
        << WindowButtonLayout::fromGtk(u"close,spacer,close,shade"_s) << layout({u"close"_s}, {});
    QTest::newRow("gtk none") << WindowButtonLayout::fromGtk(u""_s) << layout({}, {});
    QTest::newRow("kwin default") << WindowButtonLayout::fromKWinConfig({}) << WindowButtonLayout::standard();
    QTest::newRow("kwin left side")
        << WindowButtonLayout::fromKWinConfig("[General]\nButtonsOnLeft=IAX\n[org.kde.kdecoration2]\n"
                                              "BorderSize=Normal\nButtonsOnLeft=XAI\nButtonsOnRight[$i]=HM\n")
        << layout({u"close"_s, u"maximize"_s, u"minimize"_s}, {});
}

void TestWindowButtons::notations()
{
    QFETCH(WindowButtonLayout, parsed);
    QFETCH(WindowButtonLayout, expected);
    QCOMPARE(parsed, expected);
}

void TestWindowButtons::desktopsOwnSettings()
{
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY(!config.isEmpty());
    QFile kwinrc(config + u"/kwinrc"_s);
    QVERIFY(kwinrc.open(QIODevice::WriteOnly));
    kwinrc.write("[org.kde.kdecoration2]\nButtonsOnLeft=X\nButtonsOnRight=IA\n");
    kwinrc.close();
    QCOMPARE(WindowButtonLayout::forDesktop(u"KDE"_s, config), (WindowButtonLayout{{u"close"_s}, {u"minimize"_s, u"maximize"_s}}));
    // Another desktop does not read KWin's file.
    QCOMPARE(WindowButtonLayout::forDesktop(u"XFCE"_s, config), WindowButtonLayout::standard());

    if (QStandardPaths::findExecutable(u"gsettings"_s).isEmpty())
        QSKIP("gsettings is not installed (Debian package libglib2.0-bin)");
    QCOMPARE(qgetenv("GSETTINGS_BACKEND"), QByteArray("keyfile"));
    QCOMPARE(QProcess::execute(u"gsettings"_s, {u"set"_s, u"org.gnome.desktop.wm.preferences"_s, u"button-layout"_s,
                                                u"close,minimize:appmenu"_s}),
             0);
    QCOMPARE(WindowButtonLayout::forDesktop(u"ubuntu:GNOME"_s, config),
             (WindowButtonLayout{{u"close"_s, u"minimize"_s}, {}}));
}

QTEST_GUILESS_MAIN(TestWindowButtons)
#include "tst_platform_windowbuttons.moc"
