// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real window through its screens and states and writes one PNG of each.
// Usage: lumivane_shots OUTDIR [service|loading|error]
//   service  (default) the API base URL in the environment points at a seeded service
//   loading  a local server that accepts connections and never answers: the loading skeleton
//   error    a port where nothing listens: the Home error panel
#include "app/LumivaneApp.h"
#include "WindowScript.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <cstdio>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)

namespace {

QQuickWindow *window = nullptr;
QString outDir;
int failures = 0;

using WindowScript::spin;

QVariant eval(const QString &js)
{
    return WindowScript::evaluate(window, js);
}

bool waitFor(const QString &js, int timeoutMs = 15000)
{
    if (WindowScript::waitFor(window, js, timeoutMs))
        return true;
    ++failures;
    return false;
}

void shot(const QString &name)
{
    spin(400); // let fades and image decoding settle
    const QImage image = window->grabWindow();
    const QString path = outDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (image.isNull() || !image.save(path)) {
        std::fprintf(stderr, "shots: could not write %s\n", qPrintable(path));
        ++failures;
        return;
    }
    std::printf("%s\n", qPrintable(path));
}

QString makeUploadImage(const QString &dir)
{
    QImage image(2560, 1600, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 2560, 1600);
    gradient.setColorAt(0, QColor(20, 60, 140));
    gradient.setColorAt(0.6, QColor(160, 70, 150));
    gradient.setColorAt(1, QColor(250, 170, 90));
    painter.fillRect(image.rect(), gradient);
    painter.setBrush(QColor(255, 255, 255, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(1800, 500), 320, 320);
    painter.end();
    const QString path = dir + QStringLiteral("/Evening Dunes.png");
    image.save(path);
    return path;
}

void hoverFirstCard()
{
    // Delegates are children in the item tree, not always in the object tree: walk the items.
    QList<QQuickItem *> cards, pending{window->contentItem()};
    while (!pending.isEmpty()) {
        QQuickItem *item = pending.takeFirst();
        if (item->objectName() == QLatin1String("wallpaperCard"))
            cards.append(item);
        pending.append(item->childItems());
    }
    for (QQuickItem *card : cards) {
        if (!card->isVisible() || card->width() < 50)
            continue;
        const QPointF centre = card->mapToScene(QPointF(card->width() / 2, card->height() / 2));
        if (centre.y() < 60 || centre.y() > window->height() - 20)
            continue;
        QTest::mouseMove(window, centre.toPoint() + QPoint(-3, 0));
        spin(50);
        QTest::mouseMove(window, centre.toPoint());
        return;
    }
    std::fputs("shots: no card to hover\n", stderr);
    ++failures;
}

void runServiceScenes()
{
    const QString home = QStringLiteral("content.currentScreen");
    waitFor(home + QStringLiteral(".viewModel.featured.length > 0 && ") + home
            + QStringLiteral(".viewModel.categoryRows.count > 0"));
    spin(2500);
    shot(QStringLiteral("01-home"));

    eval(home + QStringLiteral(".scroller.contentY = 470"));
    spin(300);
    hoverFirstCard();
    shot(QStringLiteral("02-card-hovered"));
    QTest::mouseMove(window, QPoint(640, 30));
    eval(home + QStringLiteral(".scroller.contentY = 0"));

    // The featured wallpaper with the most tags, in the detail sheet.
    eval(QStringLiteral("(function(){ const f = %1.viewModel.featured; let best = f[0];"
                        " for (const w of f) if (w.tags.length > best.tags.length) best = w;"
                        " %1.selectedWallpaper = best })()").arg(home));
    spin(2000);
    shot(QStringLiteral("03-detail"));
    eval(home + QStringLiteral(".selectedWallpaper = null"));
    spin(400);

    eval(QStringLiteral("AppState.showSettings = true"));
    spin(600);
    shot(QStringLiteral("04-settings"));
    eval(QStringLiteral("AppState.showSettings = false"));
    spin(400);

    eval(QStringLiteral("AppState.currentTab = AppTab.Explore"));
    waitFor(home + QStringLiteral(".objectName === 'exploreView' && ") + home
            + QStringLiteral(".viewModel.wallpapers.count > 0 && !") + home + QStringLiteral(".viewModel.isLoading"));
    spin(2000);
    shot(QStringLiteral("05-explore"));

    eval(home + QStringLiteral(".viewModel.searchText = 'zzqx no such wallpaper'"));
    spin(600);
    waitFor(home + QStringLiteral(".viewModel.wallpapers.count === 0 && !") + home + QStringLiteral(".viewModel.isLoading"));
    shot(QStringLiteral("06-explore-empty"));

    eval(QStringLiteral("AppState.currentTab = AppTab.Home"));
    waitFor(home + QStringLiteral(".objectName === 'homeView' && ") + home + QStringLiteral(".viewModel.featured.length > 1"));
    eval(QStringLiteral("(function(){ const f = %1.viewModel.featured;"
                        " for (let i = 0; i < 2; ++i) if (!Favorites.isFavorite(f[i].id)) Favorites.toggleFavorite(f[i].id) })()")
             .arg(home));
    eval(QStringLiteral("AppState.currentTab = AppTab.Library"));
    waitFor(home + QStringLiteral(".objectName === 'libraryView' && !") + home + QStringLiteral(".viewModel.isLoading && ")
            + home + QStringLiteral(".viewModel.favorites.count > 0"));
    spin(1500);
    shot(QStringLiteral("07-library"));

    eval(QStringLiteral("AppState.currentTab = AppTab.Upload"));
    waitFor(home + QStringLiteral(".objectName === 'uploadView' && ") + home + QStringLiteral(".viewModel.categories.length > 0"));
    spin(800);
    shot(QStringLiteral("08-upload"));

    QTemporaryDir temp;
    const QString file = makeUploadImage(temp.path());
    eval(QStringLiteral("%1.viewModel.loadFile(Qt.resolvedUrl('file://%2'))").arg(home, file));
    waitFor(home + QStringLiteral(".viewModel.hasSelectedFile"));
    eval(QStringLiteral("(function(){ const vm = %1.viewModel; vm.title = 'Evening Dunes';"
                        " vm.description = 'Warm light over the sand.'; vm.categoryId = vm.categories[0].id;"
                        " vm.addTag('dunes'); vm.addTag('sunset'); vm.addTag('warm') })()").arg(home));
    spin(1000);
    shot(QStringLiteral("09-upload-filled"));

    // The service refuses a category it does not know; the failure shows with "Try again".
    eval(QStringLiteral("(function(){ const vm = %1.viewModel; vm.categoryId = 'no-such-category'; vm.upload() })()").arg(home));
    waitFor(home + QStringLiteral(".viewModel.uploadState === 'failed'"), 20000);
    eval(home + QStringLiteral(".scroller.contentY = 380"));
    shot(QStringLiteral("10-upload-failed"));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication::setOrganizationName(QStringLiteral("Lumivane"));
    QGuiApplication::setApplicationName(QStringLiteral("Lumivane"));
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fputs("usage: lumivane_shots OUTDIR [service|loading|error]\n", stderr);
        return 2;
    }
    outDir = args.at(1);
    QDir().mkpath(outDir);
    const QString mode = args.size() > 2 ? args.at(2) : QStringLiteral("service");

    QTcpServer silent;
    if (mode == QLatin1String("loading")) {
        silent.listen(QHostAddress::LocalHost);
        qputenv("LUMIVANE_API_BASE_URL", QStringLiteral("http://127.0.0.1:%1/api").arg(silent.serverPort()).toUtf8());
    } else if (mode == QLatin1String("error")) {
        qputenv("LUMIVANE_API_BASE_URL", "http://127.0.0.1:9/api");
    }

    LumivaneApp lumivane;
    if (!lumivane.start())
        return 1;
    window = qobject_cast<QQuickWindow *>(lumivane.engine().rootObjects().value(0));
    if (!window)
        return 1;
    window->show();
    spin(300);

    if (mode == QLatin1String("loading")) {
        spin(1200);
        shot(QStringLiteral("00-home-loading"));
    } else if (mode == QLatin1String("error")) {
        waitFor(QStringLiteral("content.currentScreen.viewModel.error !== '' && !content.currentScreen.viewModel.isLoading"));
        shot(QStringLiteral("00-home-error"));
    } else {
        runServiceScenes();
    }
    return failures == 0 ? 0 : 1;
}
