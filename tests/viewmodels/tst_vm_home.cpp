// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/CategoryRowListModel.h"
#include "viewmodels/HomeViewModel.h"
#include "viewmodels/WallpaperListModel.h"
#include "VmTestKit.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace VmTestKit;

class TestHomeViewModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstSixCategoriesInOrderAndEmptyRowsSkipped();
    void noCategoriesGivesNoRowsButFeatured();
    void rowFailureKeepsOldRowsAndRetryClearsError();
    void featuredFailureCancelsTheCategoryRequest();
    void secondLoadWhileRunningIsIgnored();
};

void TestHomeViewModel::firstSixCategoriesInOrderAndEmptyRowsSkipped()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/wallpapers/featured", envelope(wallpapers({"f1", "f2"})));
    server.on("GET", "/api/categories", envelope(categories(10)));
    // Rows answer in request order; the third category has nothing yet.
    for (int i = 1; i <= 6; ++i)
        server.enqueue(page(i == 3 ? QStringList() : ids(QStringLiteral("c%1w").arg(i), 1, 8)));

    HomeViewModel vm(api, fastTiming());
    QAbstractItemModelTester rowsTester(vm.categoryRows(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy loading(&vm, &HomeViewModel::isLoadingChanged);
    QVERIFY(finish(vm.loadAsync()));

    QCOMPARE(vm.featured().size(), 2);
    QCOMPARE(vm.featuredVariants().at(1).value<Wallpaper>().id(), QStringLiteral("f2"));
    QCOMPARE(loading.count(), 2);
    QVERIFY(!vm.isLoading());
    QVERIFY(vm.error().isEmpty());

    QStringList asked;
    for (const auto &r : server.requests()) {
        if (r.path == QLatin1String("/api/wallpapers")) {
            QCOMPARE(queryValue(r, "page"), QStringLiteral("1"));
            QCOMPARE(queryValue(r, "limit"), QStringLiteral("8"));
            QVERIFY(!hasQueryItem(r, "sort"));
            QVERIFY(!hasQueryItem(r, "search"));
            asked << queryValue(r, "category_id");
        }
    }
    QCOMPARE(asked, QStringList({"c1", "c2", "c3", "c4", "c5", "c6"}));

    CategoryRowListModel *rows = vm.categoryRows();
    QCOMPARE(rows->count(), 5);
    QCOMPARE(rows->data(rows->index(2), CategoryRowListModel::RowIdRole).toString(), QStringLiteral("c4"));
    QCOMPARE(rows->data(rows->index(0), CategoryRowListModel::NameRole).toString(), QStringLiteral("Name c1"));
    auto *strip = rows->data(rows->index(0), CategoryRowListModel::WallpapersRole).value<WallpaperListModel *>();
    QVERIFY(strip);
    QAbstractItemModelTester stripTester(strip, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(strip->count(), 8);
    QCOMPARE(strip->data(strip->index(7), WallpaperListModel::WallpaperIdRole).toString(), QStringLiteral("c1w8"));
}

void TestHomeViewModel::noCategoriesGivesNoRowsButFeatured()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/wallpapers/featured", envelope(wallpapers({"f1"})));
    server.on("GET", "/api/categories", envelope("[]"));

    HomeViewModel vm(api, fastTiming());
    QVERIFY(finish(vm.loadAsync()));
    QCOMPARE(vm.featured().size(), 1);
    QCOMPARE(vm.categoryRows()->count(), 0);
    QCOMPARE(countPath(server, "/api/wallpapers"), 0);
    QVERIFY(!vm.isLoading());
}

void TestHomeViewModel::rowFailureKeepsOldRowsAndRetryClearsError()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/wallpapers/featured", envelope(wallpapers({"f1"})));
    server.on("GET", "/api/categories", envelope(categories(6)));
    for (int i = 1; i <= 6; ++i)
        server.enqueue(page(ids(QStringLiteral("a%1w").arg(i), 1, 2)));

    HomeViewModel vm(api, fastTiming());
    QVERIFY(finish(vm.loadAsync()));
    QCOMPARE(vm.categoryRows()->count(), 6);

    // Second load: new featured list, the fourth row fails.
    server.on("GET", "/api/wallpapers/featured", envelope(wallpapers({"g1", "g2", "g3"})));
    for (int i = 1; i <= 3; ++i)
        server.enqueue(page(ids(QStringLiteral("b%1w").arg(i), 1, 2)));
    server.enqueue(ScriptedHttpServer::Response::json("", 500));
    QSignalSpy errorSpy(&vm, &HomeViewModel::errorChanged);
    QVERIFY(finish(vm.loadAsync()));
    QCOMPARE(vm.error(), QStringLiteral("Server error (500)"));
    QVERIFY(vm.hasError());
    QCOMPARE(errorSpy.count(), 1);
    QCOMPARE(vm.featured().size(), 3);
    QCOMPARE(vm.categoryRows()->count(), 6);
    QCOMPARE(vm.categoryRows()->rows().first().wallpapers.first().id(), QStringLiteral("a1w1"));
    QCOMPARE(countPath(server, "/api/wallpapers"), 10); // nothing after the failing row
    QVERIFY(!vm.isLoading());

    // Retry succeeds: the panel goes away.
    for (int i = 1; i <= 6; ++i)
        server.enqueue(page(ids(QStringLiteral("c%1w").arg(i), 1, 1)));
    QVERIFY(finish(vm.loadAsync()));
    QVERIFY(vm.error().isEmpty());
    QCOMPARE(vm.categoryRows()->rows().first().wallpapers.first().id(), QStringLiteral("c1w1"));
}

void TestHomeViewModel::featuredFailureCancelsTheCategoryRequest()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/wallpapers/featured", failure(503, "Maintenance", 20));
    auto stalled = envelope(categories(2));
    stalled.stall = true;
    server.on("GET", "/api/categories", stalled);

    HomeViewModel vm(api, fastTiming());
    QVERIFY2(finish(vm.loadAsync(), 5000), "the load waited for the abandoned category request");
    QCOMPARE(vm.error(), QStringLiteral("Maintenance"));
    QVERIFY(vm.featured().isEmpty());
    QCOMPARE(vm.categoryRows()->count(), 0);
    QVERIFY(!vm.isLoading());
}

void TestHomeViewModel::secondLoadWhileRunningIsIgnored()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/wallpapers/featured", envelope(wallpapers({"f1"}), 30));
    server.on("GET", "/api/categories", envelope("[]"));

    HomeViewModel vm(api, fastTiming());
    auto first = vm.loadAsync();
    auto second = vm.loadAsync();
    QVERIFY(second.isReady());
    QVERIFY(TestSupport::waitFor(first));
    QCOMPARE(countPath(server, "/api/wallpapers/featured"), 1);
    QCOMPARE(vm.carouselInterval(), 50);
}

QTEST_GUILESS_MAIN(TestHomeViewModel)
#include "tst_vm_home.moc"
