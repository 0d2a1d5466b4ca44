// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/PreferenceKeys.h"
#include "FakeEngine.h"
#include "viewmodels/ExploreViewModel.h"
#include "viewmodels/FavoritesStore.h"
#include "viewmodels/HomeViewModel.h"
#include "viewmodels/LibraryViewModel.h"
#include "viewmodels/UploadViewModel.h"
#include "viewmodels/WallpaperApplier.h"
#include "viewmodels/WallpaperDetailViewModel.h"
#include "VmTestKit.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace VmTestKit;

// Screens are thrown away while their loads are suspended (a tab switch); nothing may resume
// into a destroyed view model. Meant to run under AddressSanitizer as well.
class TestViewModelLifetime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void destroyedMidRequestManyTimes();
    void destroyedWhileSleeping();
};

void TestViewModelLifetime::destroyedMidRequestManyTimes()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/wallpapers/featured", envelope(wallpapers({"f1"}), 8));
    server.on("GET", "/api/categories", envelope(categories(6), 4));
    server.on("GET", "/api/wallpapers", page(ids("w", 1, 20), {}, 3));
    server.on("GET", "/api/wallpapers/a", envelope(wallpaperJson("a"), 5));
    server.on("GET", "/api/wallpapers/b", envelope(wallpaperJson("b"), 5));
    server.on("GET", "/api/wallpapers/a/download", envelope(R"({"url":"https://img.example/a.jpg","filename":"a.jpg"})", 6));

    QTemporaryDir dir;
    QSettings settings(dir.filePath("d.ini"), QSettings::IniFormat);
    settings.setValue(PreferenceKeys::favoriteIds, QStringList{"a", "b"});
    FavoritesStore store(settings);
    FakeEngine engine;
    const Wallpaper a(Wallpaper::Fields{.id = QStringLiteral("a")});

    for (int round = 0; round < 40; ++round) {
        auto *home = new HomeViewModel(api, fastTiming());
        auto *explore = new ExploreViewModel(api, fastTiming());
        auto *library = new LibraryViewModel(api, store);
        auto *detail = new WallpaperDetailViewModel(a, api, engine, store, dir.path());
        auto *applier = new WallpaperApplier(engine);
        home->load();
        explore->loadInitial();
        explore->setSortOption("popular");
        library->loadFavorites();
        detail->setAsDesktop();
        detail->saveDownload();
        detail->recordView();
        applier->setDesktop(QUrl("https://img.example/a.jpg"));
        // Vary how far the loads get before their screen goes away.
        QTest::qWait(round % 12);
        delete home;
        delete explore;
        delete library;
        delete detail;
        delete applier;
    }
    QTest::qWait(60); // answers still arriving for the dead screens
    QVERIFY(server.requestCount() > 0);
}

void TestViewModelLifetime::destroyedWhileSleeping()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    auto slow = envelope(R"({"job_id":"j","message":"ok"})");
    slow.delayMs = 20;
    server.on("POST", "/api/uploads/wallpaper", slow);
    server.on("GET", "/api/uploads/status/j", envelope(R"({"status":"processing","message":null})", 5));
    QTemporaryDir dir;
    QImage image(2560, 1600, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const QString file = dir.filePath("big.png");
    QVERIFY(image.save(file));

    for (int round = 0; round < 15; ++round) {
        auto *explore = new ExploreViewModel(api, fastTiming());
        explore->setSearchText("dunes"); // sleeping out the debounce
        auto *upload = new UploadViewModel(api, [] { return QStringLiteral("M"); }, fastTiming());
        QCoro::waitFor(upload->loadFileAsync(QUrl::fromLocalFile(file)));
        upload->setCategoryId("c1");
        upload->upload(); // ticker sleeping, then the poll
        upload->loadFile(QUrl::fromLocalFile(file)); // and a file check on a worker thread
        QTest::qWait(round * 4);
        delete explore;
        delete upload;
    }
    QTest::qWait(150);
}

QTEST_GUILESS_MAIN(TestViewModelLifetime)
#include "tst_vm_stress.moc"
