// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/ExploreViewModel.h"
#include "viewmodels/WallpaperListModel.h"
#include "VmTestKit.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace VmTestKit;

namespace {

QList<ScriptedHttpServer::Request> listRequests(const ScriptedHttpServer &server)
{
    QList<ScriptedHttpServer::Request> list;
    for (const auto &r : server.requests()) {
        if (r.path == QLatin1String("/api/wallpapers"))
            list.append(r);
    }
    return list;
}

PaginatedResponse<Wallpaper> pageOf(int items, std::optional<PaginationMeta> pagination)
{
    PaginatedResponse<Wallpaper> response;
    for (int i = 0; i < items; ++i)
        response.data.append(Wallpaper(Wallpaper::Fields{.id = QString::number(i)}));
    response.pagination = pagination;
    return response;
}

} // namespace

class TestExploreViewModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typingIsDebouncedIntoOneRequest();
    void chipChangePreemptsPendingQuery();
    void searchTextSentAsTypedAndOmittedWhenEmpty();
    void hasMoreRule_data();
    void hasMoreRule();
    void pagingAppendsNewRowsOnlyAndStopsOnEmptyPage();
    void loadMoreOnlyFromTrailingCards();
    void staleNextPageIsDropped();
    void supersededSearchNeverLands();
    void aSearchEndsThePagingOfTheGridItReplaces();
    void loadInitialGuardAndFailureKeepsCategories();
};

void TestExploreViewModel::typingIsDebouncedIntoOneRequest()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.enqueue(page({"w1"}));
    ExploreViewModel vm(api, fastTiming());

    vm.setSearchText("a");
    QTest::qWait(15);
    vm.setSearchText("ab");
    QTest::qWait(15);
    vm.setSearchText("abc");
    QVERIFY(TestSupport::waitUntil([&] { return vm.wallpapers()->count() == 1; }));
    QTest::qWait(150); // well past every debounce
    const auto requests = listRequests(server);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(queryValue(requests[0], "search"), QStringLiteral("abc"));
    QCOMPARE(queryValue(requests[0], "sort"), QStringLiteral("newest"));
    QVERIFY(!hasQueryItem(requests[0], "category_id"));
    QVERIFY(!vm.isLoading());
}

void TestExploreViewModel::chipChangePreemptsPendingQuery()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/categories", envelope(categories(2)));
    server.enqueue(page({"i1"}));
    server.enqueue(page({"w1"}));
    ExploreViewModel vm(api, fastTiming());
    QVERIFY(finish(vm.loadInitialAsync()));

    vm.setSearchText("sea");
    vm.setSelectedCategoryVariant(QStringLiteral("c2"));
    QCOMPARE(vm.selectedCategoryId(), QStringLiteral("c2"));
    QVERIFY(TestSupport::waitUntil([&] { return listRequests(server).size() == 2; }, 40));
    QTest::qWait(150);
    const auto requests = listRequests(server);
    QCOMPARE(requests.size(), 2);
    QCOMPARE(queryValue(requests[1], "search"), QStringLiteral("sea"));
    QCOMPARE(queryValue(requests[1], "category_id"), QStringLiteral("c2"));

    // Back to "All": no category filter.
    server.enqueue(page({"w2"}));
    vm.setSelectedCategoryVariant(QVariant());
    QVERIFY(TestSupport::waitUntil([&] { return listRequests(server).size() == 3; }));
    QVERIFY(!hasQueryItem(listRequests(server)[2], "category_id"));
}

void TestExploreViewModel::searchTextSentAsTypedAndOmittedWhenEmpty()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.enqueue(page({"w1"}));
    server.enqueue(page({"w2"}));
    ExploreViewModel vm(api, fastTiming());

    vm.setSearchText("  ");
    QVERIFY(TestSupport::waitUntil([&] { return listRequests(server).size() == 1; }));
    QCOMPARE(queryValue(listRequests(server)[0], "search"), QStringLiteral("  "));
    vm.setSearchText("");
    QVERIFY(TestSupport::waitUntil([&] { return listRequests(server).size() == 2; }));
    QVERIFY(!hasQueryItem(listRequests(server)[1], "search"));

    // Setting the same sort again still searches, sending the empty sort as well.
    server.enqueue(page({"w3"}));
    server.enqueue(page({"w4"}));
    QSignalSpy sortSpy(&vm, &ExploreViewModel::sortOptionChanged);
    vm.setSortOption("newest");
    QVERIFY(TestSupport::waitUntil([&] { return listRequests(server).size() == 3; }));
    QCOMPARE(sortSpy.count(), 0);
    vm.setSortOption("");
    QVERIFY(TestSupport::waitUntil([&] { return listRequests(server).size() == 4; }));
    QVERIFY(hasQueryItem(listRequests(server)[3], "sort"));
}

void TestExploreViewModel::hasMoreRule_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<std::optional<PaginationMeta>>("pagination");
    QTest::addColumn<int>("currentPage");
    QTest::addColumn<bool>("hasMore");
    QTest::newRow("full page, no pagination") << 20 << std::optional<PaginationMeta>() << 1 << true;
    QTest::newRow("19 items, no pagination") << 19 << std::optional<PaginationMeta>() << 1 << false;
    QTest::newRow("page 2 of 2") << 20 << std::optional(PaginationMeta{2, 20, 40, 2}) << 1 << false;
    QTest::newRow("page 1 of 3") << 3 << std::optional(PaginationMeta{1, 20, 60, 3}) << 1 << true;
    QTest::newRow("both fields absent") << 20 << std::optional(PaginationMeta{}) << 1 << false;
    QTest::newRow("page absent falls back to current") << 20 << std::optional(PaginationMeta{{}, {}, {}, 3}) << 2 << true;
    QTest::newRow("page absent, current is last") << 20 << std::optional(PaginationMeta{{}, {}, {}, 3}) << 3 << false;
}

void TestExploreViewModel::hasMoreRule()
{
    QFETCH(int, items);
    QFETCH(std::optional<PaginationMeta>, pagination);
    QFETCH(int, currentPage);
    QFETCH(bool, hasMore);
    QCOMPARE(ExploreViewModel::hasMoreAfter(pageOf(items, pagination), currentPage), hasMore);
}

void TestExploreViewModel::pagingAppendsNewRowsOnlyAndStopsOnEmptyPage()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/categories", envelope(categories(1)));
    server.enqueue(page(ids("w", 1, 20)));
    ExploreViewModel vm(api, fastTiming());
    QAbstractItemModelTester tester(vm.wallpapers(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(finish(vm.loadInitialAsync()));
    QCOMPARE(vm.categories().size(), 1);
    QCOMPARE(vm.wallpapers()->count(), 20);
    QVERIFY(vm.hasMore());

    QSignalSpy inserted(vm.wallpapers(), &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(vm.wallpapers(), &QAbstractItemModel::modelReset);

    // Page 2 repeats two wallpapers already shown.
    server.enqueue(page(QStringList{"w19", "w20"} + ids("w", 21, 18)));
    QVERIFY(finish(vm.loadMoreAsync()));
    QCOMPARE(vm.wallpapers()->count(), 38);
    QCOMPARE(vm.currentPage(), 2);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 20);
    QCOMPARE(inserted.at(0).at(2).toInt(), 37);
    QCOMPARE(queryValue(listRequests(server).last(), "page"), QStringLiteral("2"));

    // A page of duplicates only adds nothing but still advances.
    server.enqueue(page(ids("w", 1, 20)));
    QVERIFY(finish(vm.loadMoreAsync()));
    QCOMPARE(vm.wallpapers()->count(), 38);
    QCOMPARE(vm.currentPage(), 3);
    QCOMPARE(inserted.count(), 1);

    // An empty page ends the paging; nothing more is asked for.
    server.enqueue(page({}));
    QVERIFY(finish(vm.loadMoreAsync()));
    QVERIFY(!vm.hasMore());
    QCOMPARE(vm.currentPage(), 3);
    const int asked = int(listRequests(server).size());
    QVERIFY(finish(vm.loadMoreAsync()));
    QCOMPARE(int(listRequests(server).size()), asked);
    QCOMPARE(reset.count(), 0);
    QVERIFY(!vm.isLoading());
}

void TestExploreViewModel::loadMoreOnlyFromTrailingCards()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/categories", envelope("[]"));
    server.enqueue(page(ids("w", 1, 20)));
    ExploreViewModel vm(api, fastTiming());
    QVERIFY(finish(vm.loadInitialAsync()));

    vm.loadMoreIfNeeded(QStringLiteral("w14")); // index 13 < threshold 14
    vm.loadMoreIfNeeded(QStringLiteral("unknown"));
    QTest::qWait(30);
    QCOMPARE(listRequests(server).size(), 1);

    server.enqueue(page(ids("x", 1, 3), R"({"page":2,"total_pages":2})"));
    vm.loadMoreIfNeeded(QVariant::fromValue(vm.wallpapers()->wallpapers().at(14)));
    QVERIFY(TestSupport::waitUntil([&] { return vm.wallpapers()->count() == 23 && !vm.isLoading(); }));
    QVERIFY(!vm.hasMore());

    // With fewer than seven cards any card asks, as long as more may exist.
    ScriptedHttpServer small;
    APIClient smallApi(apiBase(small));
    small.on("GET", "/api/categories", envelope("[]"));
    small.enqueue(page(ids("s", 1, 3), R"({"page":1,"total_pages":2})"));
    ExploreViewModel few(smallApi, fastTiming());
    QVERIFY(finish(few.loadInitialAsync()));
    small.enqueue(page(ids("s", 4, 3), R"({"page":2,"total_pages":2})"));
    few.loadMoreIfNeeded(QStringLiteral("s1"));
    QVERIFY(TestSupport::waitUntil([&] { return few.wallpapers()->count() == 6; }));
}

void TestExploreViewModel::staleNextPageIsDropped()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/categories", envelope("[]"));
    server.enqueue(page(ids("old", 1, 20)));
    ExploreViewModel vm(api, fastTiming());
    QVERIFY(finish(vm.loadInitialAsync()));

    server.enqueue(page(ids("late", 1, 20), {}, 150)); // the next page answers slowly
    server.enqueue(page(ids("new", 1, 5)));            // the search answers at once
    auto more = vm.loadMoreAsync();
    QVERIFY(TestSupport::waitUntil([&] { return listRequests(server).size() == 2; }));
    vm.setSortOption("popular");
    QVERIFY(TestSupport::waitFor(more));
    QVERIFY(TestSupport::waitUntil([&] { return !vm.isLoading(); }));
    QCOMPARE(vm.wallpapers()->count(), 5);
    QCOMPARE(vm.wallpapers()->wallpapers().first().id(), QStringLiteral("new1"));
    QCOMPARE(vm.currentPage(), 1);
    QVERIFY(!vm.hasMore());
    QVERIFY(!vm.isLoadingMore());
}

void TestExploreViewModel::supersededSearchNeverLands()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.enqueue(page(ids("first", 1, 3), {}, 150));
    server.enqueue(page(ids("second", 1, 2)));
    ExploreViewModel vm(api, fastTiming());

    vm.setSortOption("popular");
    QVERIFY(TestSupport::waitUntil([&] { return listRequests(server).size() == 1; }));
    vm.setSortOption("trending");
    QVERIFY(TestSupport::waitUntil([&] { return vm.wallpapers()->count() == 2; }));
    QTest::qWait(250); // the first answer would have arrived by now
    QCOMPARE(vm.wallpapers()->wallpapers().first().id(), QStringLiteral("second1"));
    QVERIFY(!vm.isLoading());
}

void TestExploreViewModel::loadInitialGuardAndFailureKeepsCategories()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/categories", envelope(categories(3), 20));
    server.enqueue(ScriptedHttpServer::Response::json("", 500));
    ExploreViewModel vm(api, fastTiming());

    auto first = vm.loadInitialAsync();
    QVERIFY(vm.isLoading());
    auto second = vm.loadInitialAsync();
    QVERIFY(second.isReady());
    QVERIFY(TestSupport::waitFor(first));
    QCOMPARE(countPath(server, "/api/categories"), 1);
    QCOMPARE(vm.categories().size(), 3);
    QCOMPARE(vm.wallpapers()->count(), 0);
    QVERIFY(!vm.isLoading());
}

void TestExploreViewModel::aSearchEndsThePagingOfTheGridItReplaces()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("GET", "/api/categories", envelope("[]"));
    server.enqueue(page(ids("old", 1, 20)));
    ExploreViewModel vm(api, fastTiming());
    QVERIFY(finish(vm.loadInitialAsync()));

    // A next page still out when a search starts is aborted: the new grid pages at once.
    server.enqueue(page(ids("late", 1, 20), {}, 3000));
    server.enqueue(page(ids("new", 1, 20)));
    server.enqueue(page(ids("more", 1, 20)));
    vm.loadMoreAsync();
    QVERIFY(TestSupport::waitUntil([&] { return listRequests(server).size() == 2; }));
    vm.setSortOption("popular");
    QVERIFY(TestSupport::waitUntil([&] { return !vm.isLoading(); }));
    QVERIFY(!vm.isLoadingMore());
    QCOMPARE(vm.wallpapers()->wallpapers().first().id(), QStringLiteral("new1"));
    QVERIFY(finish(vm.loadMoreAsync()));
    QCOMPARE(vm.wallpapers()->count(), 40);
    QCOMPARE(vm.wallpapers()->wallpapers().at(20).id(), QStringLiteral("more1"));

    // After a failed search the grid still shows the old filter: no page of the new one joins it.
    server.enqueue(ScriptedHttpServer::Response::json("", 500));
    server.enqueue(page(ids("mixed", 1, 20)));
    vm.setSortOption("trending");
    QVERIFY(TestSupport::waitUntil([&] { return !vm.isLoading(); }));
    QVERIFY(finish(vm.loadMoreAsync()));
    QCOMPARE(vm.wallpapers()->count(), 40);
    QVERIFY(!vm.wallpapers()->containsId(QStringLiteral("mixed1")));
}

QTEST_GUILESS_MAIN(TestExploreViewModel)
#include "tst_vm_explore.moc"
