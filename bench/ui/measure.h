// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window benchmark's two kinds of child process share: the real window's (bench_ui)
// and the floor's (bench_ui_floor, an empty Qt Quick window in a program that links Qt Quick
// and nothing of ours, so the floor carries none of our libraries). Each prints its
// measures on stdout, one "name value" per line; the parent stamps the phases.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

namespace BenchMeasure {

constexpr int scrollFrames = 240;

inline double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

inline double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5))];
}

// Scrolls `flickable` by a fixed step each frame and reports the frame interval and the time
// between the start of sync and the swap (the work the scene graph does for the frame).
inline void measureScrolling(QQuickWindow *window, QQuickItem *flickable)
{
    std::vector<double> intervals, work;
    QElapsedTimer clock;
    clock.start();
    qint64 syncStart = -1, lastSwap = -1;
    int frames = 0;
    auto syncConn = QObject::connect(window, &QQuickWindow::beforeSynchronizing, window,
                                     [&] { syncStart = clock.nsecsElapsed(); }, Qt::DirectConnection);
    auto swapConn = QObject::connect(window, &QQuickWindow::frameSwapped, window, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (lastSwap >= 0)
            intervals.push_back(double(now - lastSwap) / 1e6);
        if (syncStart >= 0)
            work.push_back(double(now - syncStart) / 1e6);
        lastSwap = now;
        ++frames;
        const qreal maxY = std::max<qreal>(0, flickable->property("contentHeight").toReal() - flickable->height());
        qreal y = flickable->property("contentY").toReal() + 24;
        if (y > maxY)
            y = 0;
        flickable->setProperty("contentY", y);
        window->update();
    });
    window->update();
    QElapsedTimer guard;
    guard.start();
    while (frames < scrollFrames && guard.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QObject::disconnect(syncConn);
    QObject::disconnect(swapConn);
    std::printf("frame_interval_median_ms %.3f\n", percentile(intervals, 0.5));
    std::printf("frame_work_median_ms %.3f\n", percentile(work, 0.5));
    std::printf("frame_work_p95_ms %.3f\n", percentile(work, 0.95));
}

// A point of the cold start; the parent stamps it with the time since it started the process.
inline void phase(const char *name)
{
    std::printf("phase %s\n", name);
    std::fflush(stdout);
}

// Stamps the first frame the window shows, whatever it holds. Stamped where the frame is drawn
// (the render thread, where there is one): the window's own frameSwapped handlers run before
// ours, and the first of them builds the window's content.
inline void reportAnyFrame(QQuickWindow *window)
{
    static std::once_flag once; // one window per child process
    QObject::connect(window, &QQuickWindow::afterRendering, window, [] {
        std::call_once(once, [] { phase("first_frame"); });
    }, Qt::DirectConnection);
}

// Stamps the first expose of the window: under X11 it follows the MapNotify, so the window is
// on the screen from here, whatever it shows yet.
class ExposeStamp : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            phase("mapped");
            watched->removeEventFilter(this);
        }
        return false;
    }
};

inline void reportMapped(QQuickWindow *window)
{
    window->installEventFilter(new ExposeStamp(window));
}

// Stamps the first expose and the first frame of the window `engine` makes, from its making.
inline void stampWindowOf(QQmlApplicationEngine &engine)
{
    QObject::connect(&engine, &QQmlApplicationEngine::objectCreated, &engine, [](QObject *object) {
        if (auto *window = qobject_cast<QQuickWindow *>(object)) {
            reportMapped(window);
            reportAnyFrame(window);
        }
    });
}

// Whether this child only measures the start and Home (the X11 runs, and --home).
inline bool homeOnly = false;

inline void reportFirstFrame(QQuickWindow *window)
{
    bool seen = false;
    auto conn = QObject::connect(window, &QQuickWindow::frameSwapped, window, [&] { seen = true; });
    window->update();
    while (!seen)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QObject::disconnect(conn);
    std::printf("first_frame\n");
    std::fflush(stdout);
}

// Runs the event loop for `ms` milliseconds.
inline void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Stamps the frame that shows the first screen, lets it settle (its pictures arrive and are
// drawn) and reports the memory there. False where this child measures nothing more.
inline bool reportHome(QQuickWindow *window)
{
    reportFirstFrame(window);
    spin(1000);
    std::printf("rss_home_mb %.1f\n", residentMegabytes());
    return !homeOnly;
}

// The child's start, as the app's own: the platform (offscreen unless one is named), the names
// the settings are kept under, then `run`. Called with the arguments after "--child <mode>".
inline int childMain(int argc, char *argv[], bool onlyHome, int (*run)())
{
    phase("main");
    homeOnly = onlyHome;
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication::setOrganizationName(QStringLiteral("Lumivane"));
    QGuiApplication::setApplicationName(QStringLiteral("Lumivane"));
    QGuiApplication app(argc, argv);
    phase("qt");
    return run();
}

} // namespace BenchMeasure
