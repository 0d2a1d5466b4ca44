// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/PreferenceKeys.h"
#include "viewmodels/FavoritesStore.h"
#include "viewmodels/LibraryViewModel.h"
#include "viewmodels/WallpaperListModel.h"
#include "VmTestKit.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace VmTestKit;

class TestLibraryViewModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_settings.reset(new QSettings(m_dir.filePath("defaults.ini"), QSettings::IniFormat)); m_settings->clear(); }

    void storeWithoutKeyOrWithForeignValue();
    void toggleTwiceKeepsAnEmptyArray();
    void storeSurvivesRereadFromDisk();
    void emptyStoreLoadsWithoutRequest();
    void duplicatesAskedOnceAndMissingOnesSkipped();
    void secondLoadWhileRunningIsIgnored();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
};

void TestLibraryViewModel::storeWithoutKeyOrWithForeignValue()
{
    FavoritesStore store(*m_settings);
    QVERIFY(store.favoriteIDs().isEmpty());
    QVERIFY(!store.isFavorite("w1"));
    m_settings->setValue(PreferenceKeys::favoriteIds, QVariantList{1, 2});
    QVERIFY(store.favoriteIDs().isEmpty());
    m_settings->setValue(PreferenceKeys::favoriteIds, QVariantMap{{"a", "w1"}});
    QVERIFY(store.favoriteIDs().isEmpty());
}

void TestLibraryViewModel::toggleTwiceKeepsAnEmptyArray()
{
    FavoritesStore store(*m_settings);
    QSignalSpy changed(&store, &FavoritesStore::changed);
    QVERIFY(store.toggleFavorite("w1"));
    QVERIFY(store.isFavorite("w1"));
    QVERIFY(!store.toggleFavorite("w1"));
    QVERIFY(!store.isFavorite("w1"));
    QVERIFY(m_settings->contains(PreferenceKeys::favoriteIds));
    QVERIFY(store.favoriteIDs().isEmpty());
    QCOMPARE(changed.count(), 2);

    m_settings->setValue(PreferenceKeys::favoriteIds, QStringList{"a", "b", "a"});
    QVERIFY(store.toggleFavorite("c"));
    QStringList ids = store.favoriteIDs();
    ids.sort();
    QCOMPARE(ids, QStringList({"a", "b", "c"})); // written back without the duplicate
}

void TestLibraryViewModel::storeSurvivesRereadFromDisk()
{
    {
        FavoritesStore store(*m_settings);
        store.toggleFavorite("only");
        store.toggleFavorite("x");
        store.toggleFavorite("x");
        m_settings->sync();
    }
    QSettings reread(m_dir.filePath("defaults.ini"), QSettings::IniFormat);
    FavoritesStore store(reread);
    QCOMPARE(store.favoriteIDs(), QStringList{"only"});
    QVERIFY(store.isFavorite("only"));
}

void TestLibraryViewModel::emptyStoreLoadsWithoutRequest()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FavoritesStore store(*m_settings);
    LibraryViewModel vm(api, store);
    QSignalSpy loading(&vm, &LibraryViewModel::isLoadingChanged);
    QVERIFY(finish(vm.loadFavoritesAsync()));
    QCOMPARE(server.requestCount(), 0);
    QCOMPARE(vm.favorites()->count(), 0);
    QCOMPARE(loading.count(), 2);
    QCOMPARE(vm.favoritesKey(), QStringLiteral("lumivane_favorite_ids"));
}

void TestLibraryViewModel::duplicatesAskedOnceAndMissingOnesSkipped()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/wallpapers/a", envelope(wallpaperJson("a")));
    server.on("GET", "/api/wallpapers/b", failure(404, "Wallpaper not found"));
    server.on("GET", "/api/wallpapers/c", envelope(wallpaperJson("c")));
    m_settings->setValue(PreferenceKeys::favoriteIds, QStringList{"a", "b", "c", "a"});
    FavoritesStore store(*m_settings);
    LibraryViewModel vm(api, store);
    QAbstractItemModelTester tester(vm.favorites(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(vm.favorites(), &QAbstractItemModel::modelReset);

    QVERIFY(finish(vm.loadFavoritesAsync()));
    QCOMPARE(server.requestCount(), 3);
    QCOMPARE(countPath(server, "/api/wallpapers/a"), 1);
    QStringList shown;
    for (const Wallpaper &w : vm.favorites()->wallpapers())
        shown << w.id();
    shown.sort();
    QCOMPARE(shown, QStringList({"a", "c"}));
    QCOMPARE(reset.count(), 1); // published once, not row by row
    QVERIFY(vm.error().isEmpty());
    QVERIFY(store.isFavorite("b")); // a failed favourite stays stored
}

void TestLibraryViewModel::secondLoadWhileRunningIsIgnored()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/wallpapers/a", envelope(wallpaperJson("a"), 30));
    m_settings->setValue(PreferenceKeys::favoriteIds, QStringList{"a"});
    FavoritesStore store(*m_settings);
    LibraryViewModel vm(api, store);
    auto first = vm.loadFavoritesAsync();
    auto second = vm.loadFavoritesAsync();
    QVERIFY(second.isReady());
    QVERIFY(TestSupport::waitFor(first));
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(vm.favorites()->count(), 1);
}

QTEST_GUILESS_MAIN(TestLibraryViewModel)
#include "tst_vm_library.moc"
