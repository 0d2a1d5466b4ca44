// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window benchmark's floor: an empty Qt Quick window of the real one's size, with a
// Flickable to scroll. Linked against Qt Quick only, so its start and memory are an empty
// window's and not those of our libraries. Started by bench_ui as "bench_ui_floor --child empty [--x11]".
#include "measure.h"

using namespace BenchMeasure;

namespace {

int runEmpty()
{
    QQmlApplicationEngine engine;
    stampWindowOf(engine);
    engine.loadData(R"(
        import QtQuick
        Window {
            width: 1280; height: 800; visible: true; color: "#1a1a1a"
            Flickable {
                objectName: "flick"
                anchors.fill: parent
                contentHeight: 100000
            }
        })");
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0));
    if (!window)
        return 1;
    phase("engine");
    if (!reportHome(window))
        return 0;
    std::printf("rss_mb %.1f\n", residentMegabytes());
    measureScrolling(window, window->findChild<QQuickItem *>(QStringLiteral("flick")));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool x11 = argc > 3 && qstrcmp(argv[3], "--x11") == 0;
    return childMain(argc, argv, x11, runEmpty);
}
