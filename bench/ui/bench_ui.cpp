// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the real window against an empty Qt Quick window (the floor), in one run:
//   cold start   process start to the first frame that shows Home with its content
//   memory       resident set at Home once its thumbnails are drawn, and after paging the
//                Explore grid through 1,000 wallpapers
//   frames       frame interval and per-frame sync+render work while scrolling that grid
//   phases       where the cold start goes: main() entered, Qt set up, QML engine loaded, first
//                frame, featured strip and category rows in the view models, first content frame
//   copies       with --copies N, and only that: N copies of the app at once against the one
//                service (a machine shared by many people), each one's first content frame and
//                its paging through 1,000 wallpapers, beside one copy alone; a copy whose
//                requests waited on the service would stand out as the slowest by seconds
//   X11          with LUMIVANE_BENCH_X11_DISPLAY naming an X server (bench/ui/run starts Xvfb):
//                the same cold start on the xcb platform, from process start to the window's
//                first expose (mapped) and to its first frame with content, and memory at Home
// Usage: bench_ui [--runs N] | bench_ui --copies N   (the API and image base URLs come from the environment)
// Each measure runs in a fresh child process: the real window in this same program
// (--child app [--x11]), the floor in bench_ui_floor beside it (--child empty [--x11]).
// "--child app --home" measures the start and Home alone, on the platform of the environment
// (bench/ui/start-order profiles the start that way).
#include "app/LumivaneApp.h"
#include "WindowScript.h"
#include "measure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cstdio>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>
#include <vector>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)

namespace {

constexpr int pagedWallpapers = 1000;

using namespace BenchMeasure;
using WindowScript::evaluate;
using WindowScript::waitFor;

int runApp()
{
    LumivaneApp lumivane;
    stampWindowOf(lumivane.engine());
    if (!lumivane.start())
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(lumivane.engine().rootObjects().value(0));
    if (!window)
        return 1;
    phase("engine");
    // The window builds its content after its first frame.
    const QString screen = QStringLiteral("content?.currentScreen");
    if (!waitFor(window, screen + QStringLiteral(".viewModel.featured.length > 0"), 30000))
        return 1;
    phase("featured");
    if (!waitFor(window, screen + QStringLiteral(".viewModel.categoryRows.count > 0"), 30000))
        return 1;
    phase("rows");
    if (!reportHome(window))
        return 0;

    evaluate(window, QStringLiteral("AppState.currentTab = AppTab.Explore"));
    if (!waitFor(window, screen + QStringLiteral(".objectName === 'exploreView' && ") + screen
                     + QStringLiteral(".viewModel.wallpapers.count > 0"), 30000))
        return 1;
    auto *grid = window->findChild<QQuickItem *>(QStringLiteral("exploreGrid"));
    if (!grid)
        return 1;
    // Page the way a person does: scroll to the end, let the next page arrive, again.
    QElapsedTimer guard;
    guard.start();
    while (evaluate(window, screen + QStringLiteral(".viewModel.wallpapers.count")).toInt() < pagedWallpapers
           && guard.elapsed() < 180000) {
        grid->setProperty("contentY", std::max<qreal>(0, grid->property("contentHeight").toReal() - grid->height()));
        spin(30);
    }
    const int loaded = evaluate(window, screen + QStringLiteral(".viewModel.wallpapers.count")).toInt();
    spin(500);
    std::printf("paged %d\n", loaded);
    std::printf("rss_mb %.1f\n", residentMegabytes());
    grid->setProperty("contentY", 0);
    spin(300);
    measureScrolling(window, grid);
    return 0;
}

struct Sample {
    double startMs = 0;
    std::map<std::string, double> values;
};

// `x11Display` empty: the platform of the environment (offscreen by default); else xcb on it.
bool runChild(const QString &mode, const QString &x11Display, Sample &sample)
{
    // A fresh cache folder per run, so every start is a cold one (no image on disk yet).
    QTemporaryDir cache;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());
    QStringList args{QStringLiteral("--child"), mode};
    if (!x11Display.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), x11Display);
        args << QStringLiteral("--x11");
    }
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    // The floor is a program of its own beside this one, linked against Qt Quick only.
    child.start(mode == QLatin1String("app") ? QCoreApplication::applicationFilePath()
                                             : QCoreApplication::applicationDirPath() + QStringLiteral("/bench_ui_floor"),
                args);
    if (!child.waitForStarted())
        return false;
    QByteArray pending;
    while (child.state() != QProcess::NotRunning || child.bytesAvailable()) {
        child.waitForReadyRead(200);
        pending += child.readAll();
        int newline;
        while ((newline = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(newline).trimmed();
            pending.remove(0, newline + 1);
            if (line == "first_frame") {
                sample.startMs = double(timer.nsecsElapsed()) / 1e6;
                continue;
            }
            if (line.startsWith("phase ")) {
                sample.values["phase_" + line.mid(6).toStdString()] = double(timer.nsecsElapsed()) / 1e6;
                continue;
            }
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 2)
                sample.values[parts[0].toStdString()] = parts[1].toDouble();
            if (parts.value(0) == "paged")
                sample.values["phase_paged"] = double(timer.nsecsElapsed()) / 1e6;
        }
        if (timer.elapsed() > 300000) {
            child.kill();
            return false;
        }
    }
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && sample.startMs > 0;
}

double median(std::vector<double> values)
{
    return percentile(std::move(values), 0.5);
}

// Paging time: from Home's rows to the 1,000th wallpaper in Explore's grid.
double pagingMs(const Sample &sample)
{
    const auto rows = sample.values.find("phase_rows"), paged = sample.values.find("phase_paged");
    return rows != sample.values.end() && paged != sample.values.end() ? paged->second - rows->second : 0;
}

int runCopies(int copies)
{
    Sample alone;
    if (!runChild(QStringLiteral("app"), QString(), alone)) {
        std::fprintf(stderr, "bench_ui: the run alone failed\n");
        return 1;
    }
    std::vector<Sample> samples(static_cast<size_t>(copies));
    std::atomic<int> failed = 0;
    {
        std::vector<std::jthread> threads;
        for (int i = 0; i < copies; ++i) {
            threads.emplace_back([&samples, &failed, i] {
                if (!runChild(QStringLiteral("app"), QString(), samples[size_t(i)]))
                    ++failed;
            });
            // Started a little apart, as people open the app, not in one instant.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    if (failed > 0) {
        std::fprintf(stderr, "bench_ui: %d of %d copies failed\n", failed.load(), copies);
        return 1;
    }
    std::vector<double> starts, pagings;
    std::printf("\neach copy in the order started: first content frame / paging, ms\n");
    for (const Sample &s : samples) {
        starts.push_back(s.startMs);
        pagings.push_back(pagingMs(s));
        std::printf("%.0f/%.0f%s", s.startMs, pagings.back(), starts.size() % 10 == 0 ? "\n" : "  ");
    }
    std::printf("\n%d copies of the app at once against one service, started 100 ms apart\n", copies);
    std::printf("%-36s %12s %12s %12s\n", "measure", "one alone", "median", "slowest");
    std::printf("%-36s %9.0f ms %9.0f ms %9.0f ms\n", "first content frame", alone.startMs, median(starts),
                *std::max_element(starts.begin(), starts.end()));
    std::printf("%-36s %9.0f ms %9.0f ms %9.0f ms\n", "paging 1,000 wallpapers", pagingMs(alone), median(pagings),
                *std::max_element(pagings.begin(), pagings.end()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "--child") == 0 && qstrcmp(argv[2], "app") == 0)
        return childMain(argc, argv, argc > 3 && (qstrcmp(argv[3], "--x11") == 0 || qstrcmp(argv[3], "--home") == 0), runApp);
    QCoreApplication app(argc, argv);
    int runs = 3;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--copies")); at >= 0 && at + 1 < args.size())
        return runCopies(std::max(1, args.at(at + 1).toInt()));
    if (const qsizetype at = args.indexOf(QStringLiteral("--runs")); at >= 0 && at + 1 < args.size())
        runs = std::max(1, args.at(at + 1).toInt());

    const QString x11Display = qEnvironmentVariable("LUMIVANE_BENCH_X11_DISPLAY");
    std::map<QString, std::vector<Sample>> samples;
    QStringList displays{QString()};
    if (!x11Display.isEmpty())
        displays << x11Display;
    for (int run = 0; run < runs; ++run) {
        for (const QString &mode : {QStringLiteral("empty"), QStringLiteral("app")}) {
            for (const QString &display : displays) {
                Sample sample;
                if (!runChild(mode, display, sample)) {
                    std::fprintf(stderr, "bench_ui: the %s run%s failed\n", qPrintable(mode),
                                 display.isEmpty() ? "" : " under X11");
                    return 1;
                }
                samples[display.isEmpty() ? mode : mode + QStringLiteral("-x11")].push_back(sample);
            }
        }
    }

    auto pick = [&](const QString &mode, const std::string &key) {
        std::vector<double> values;
        for (const Sample &s : samples[mode])
            if (key == "start")
                values.push_back(s.startMs);
            else if (const auto it = s.values.find(key); it != s.values.end())
                values.push_back(it->second);
        return median(values);
    };
    std::printf("\nmedian of %d runs each; the floor is an empty Qt Quick window on the same platform\n", runs);
    std::printf("Explore paged to %.0f wallpapers before the memory reading\n\n", pick(QStringLiteral("app"), "paged"));
    struct Row { const char *label; std::string key; const char *unit; };
    // A table of measures, each as the app's ratio to the empty window's same measure.
    const auto printRows = [&](const QString &emptyMode, const QString &appMode, std::initializer_list<Row> rows) {
        std::printf("%-36s %12s %12s %8s\n", "measure", "empty window", "Lumivane", "ratio");
        for (const Row &row : rows) {
            const double floor = pick(emptyMode, row.key);
            const double value = pick(appMode, row.key);
            std::printf("%-36s %9.1f %-2s %9.1f %-2s %7.2fx\n", row.label, floor, row.unit, value, row.unit,
                        floor > 0 ? value / floor : 0.0);
        }
    };
    printRows(QStringLiteral("empty"), QStringLiteral("app"), {
        {"cold start to first content frame", "start", "ms"},
        {"resident memory at Home", "rss_home_mb", "MB"},
        {"resident memory after paging", "rss_mb", "MB"},
        {"frame interval while scrolling (med)", "frame_interval_median_ms", "ms"},
        {"frame work while scrolling (median)", "frame_work_median_ms", "ms"},
        {"frame work while scrolling (p95)", "frame_work_p95_ms", "ms"},
    });
    const double emptyFrame = pick(QStringLiteral("empty"), "phase_first_frame");
    std::printf("\ncold start, ms since the process was started (ratio: to the empty window's first frame, %.1f ms)\n",
                emptyFrame);
    std::printf("%-36s %12s %12s %8s\n", "phase", "empty window", "Lumivane", "ratio");
    const struct { const char *label; std::string key; } phases[] = {
        {"main() entered", "phase_main"},
        {"Qt set up", "phase_qt"},
        {"QML engine loaded", "phase_engine"},
        {"first frame", "phase_first_frame"},
        {"featured strip decoded", "phase_featured"},
        {"category rows decoded", "phase_rows"},
        {"first content frame", "start"},
    };
    for (const auto &row : phases) {
        const double floor = pick(QStringLiteral("empty"), row.key);
        const double value = pick(QStringLiteral("app"), row.key);
        std::printf("%-36s %9.1f ms %9.1f ms %7.2fx\n", row.label, floor, value, emptyFrame > 0 ? value / emptyFrame : 0.0);
    }

    if (x11Display.isEmpty()) {
        std::printf("\nX11: not measured (set LUMIVANE_BENCH_X11_DISPLAY, or run bench/ui/run with Xvfb installed)\n");
        return 0;
    }
    const QString emptyX = QStringLiteral("empty-x11"), appX = QStringLiteral("app-x11");
    std::printf("\nunder X11 (xcb on %s), ms since the process was started; ratios to the empty window's\n",
                qPrintable(x11Display));
    printRows(emptyX, appX, {
        {"QML engine loaded", "phase_engine", "ms"},
        {"first mapped window (expose)", "phase_mapped", "ms"},
        {"first frame", "phase_first_frame", "ms"},
        {"first content frame", "start", "ms"},
        {"resident memory at Home", "rss_home_mb", "MB"},
    });
    return 0;
}
