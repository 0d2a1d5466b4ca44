// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/ExploreViewModel.h"
#include "viewmodels/SetIfChanged.h"
#include "services/APIClient.h"
#include "viewmodels/WallpaperListModel.h"

#include <QCoroTimer>
#include <QSet>
#include <chrono>

ExploreViewModel::ExploreViewModel(QObject *parent)
    : ExploreViewModel(APIClient::shared(), Timing{}, parent)
{
}

ExploreViewModel::ExploreViewModel(APIClient &api, Timing timing, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_timing(timing)
    , m_wallpapers(new WallpaperListModel(this))
{
}

ExploreViewModel::~ExploreViewModel()
{
    m_scopes.cancel();
}

void ExploreViewModel::setSearchText(const QString &text)
{
    const bool changed = m_searchText != text;
    m_searchText = text;
    if (changed)
        Q_EMIT searchTextChanged();
    restartSearch(true);
}

void ExploreViewModel::setSelectedCategory(const std::optional<Category> &category)
{
    const bool changed = m_selectedCategory.has_value() != category.has_value()
                         || (category && m_selectedCategory->id() != category->id());
    m_selectedCategory = category;
    if (changed)
        Q_EMIT selectedCategoryChanged();
    restartSearch(false);
}

QVariant ExploreViewModel::selectedCategoryVariant() const
{
    return m_selectedCategory ? QVariant::fromValue(*m_selectedCategory) : QVariant();
}

void ExploreViewModel::setSelectedCategoryVariant(const QVariant &category)
{
    if (category.canConvert<Category>() && category.metaType() == QMetaType::fromType<Category>()) {
        const auto value = category.value<Category>();
        setSelectedCategory(value.isValid() ? std::optional<Category>(value) : std::nullopt);
        return;
    }
    if (category.typeId() == QMetaType::QString && !category.toString().isEmpty()) {
        for (const Category &c : std::as_const(m_categories)) {
            if (c.id() == category.toString()) {
                setSelectedCategory(c);
                return;
            }
        }
    }
    setSelectedCategory(std::nullopt);
}

void ExploreViewModel::setSortOption(const QString &sort)
{
    const bool changed = m_sortOption != sort;
    m_sortOption = sort;
    if (changed)
        Q_EMIT sortOptionChanged();
    restartSearch(false);
}

QVariantList ExploreViewModel::categoriesVariants() const
{
    QVariantList list;
    list.reserve(m_categories.size());
    for (const Category &c : m_categories)
        list.append(QVariant::fromValue(c));
    return list;
}

bool ExploreViewModel::hasMoreAfter(const PaginatedResponse<Wallpaper> &page, int currentPage)
{
    if (!page.pagination)
        return page.data.size() > pageSize - 1;
    const int number = page.pagination->page.value_or(currentPage);
    const int pages = page.pagination->totalPages.value_or(1);
    return number < pages;
}

QCoro::Task<PaginatedResponse<Wallpaper>> ExploreViewModel::fetchPage(int page, CancellationToken token)
{
    // The filters are read when the request is built.
    std::optional<QString> categoryId;
    if (m_selectedCategory)
        categoryId = m_selectedCategory->id();
    std::optional<QString> search;
    if (!m_searchText.isEmpty())
        search = m_searchText;
    return m_api.fetchWallpapers(page, pageSize, categoryId, m_sortOption, search, std::move(token));
}

void ExploreViewModel::loadInitial()
{
    loadInitialAsync();
}

QCoro::Task<void> ExploreViewModel::loadInitialAsync()
{
    if (isLoading())
        co_return;
    // Held to the end, so that the flag stays up from the categories through the first page.
    auto categories = m_categoriesSlot.start();
    try {
        const QList<Category> list = co_await m_api.fetchCategories(categories.token());
        if (!categories.isCurrent())
            co_return;
        m_categories = list;
        Q_EMIT categoriesChanged();
    } catch (const std::exception &) {
        co_return;
    }
    // The first page is the search of the filters as they stand; a newer search replaces it.
    auto search = m_searchSlot.start();
    m_pageSlot.abort();
    try {
        const auto page = co_await fetchPage(1, search.token());
        if (!search.isCurrent())
            co_return;
        m_wallpapers->setWallpapers(page.data);
        setCurrentPage(1);
        setHasMore(hasMoreAfter(page, m_currentPage));
    } catch (const std::exception &) {
    }
}

void ExploreViewModel::restartSearch(bool debounce)
{
    // The request of the search being replaced goes with it, even while the next one waits out
    // its debounce.
    if (m_searchToken)
        m_searchToken->cancel();
    m_searchSlot.abort();
    m_searchToken = m_scopes.child();
    runSearch(m_searchToken, debounce);
}

QCoro::Task<void> ExploreViewModel::runSearch(CancellationToken token, bool debounce)
{
    if (debounce) {
        co_await QCoro::sleepFor(std::chrono::milliseconds(m_timing.debounceMs));
        if (token->isCancelled())
            co_return;
    }
    co_await searchAsync(token);
}

QCoro::Task<void> ExploreViewModel::searchAsync(CancellationToken token)
{
    if (token->isCancelled())
        co_return;
    auto search = m_searchSlot.start();
    // A next page of the grid this search replaces would neither belong to it nor let it page.
    m_pageSlot.abort();
    setCurrentPage(1);
    setHasMore(true);
    try {
        const auto page = co_await fetchPage(1, search.token());
        if (!search.isCurrent() || token->isCancelled())
            co_return;
        m_wallpapers->setWallpapers(page.data);
        setHasMore(hasMoreAfter(page, m_currentPage));
    } catch (const std::exception &) {
        if (!search.isCurrent() || token->isCancelled())
            co_return;
        // The grid keeps the previous filter's wallpapers; paging them with the new filter would
        // mix two filters in one grid, so paging stops until the next search succeeds.
        setHasMore(false);
    }
}

void ExploreViewModel::loadMoreIfNeeded(const QVariant &wallpaper)
{
    const QString id = wallpaper.metaType() == QMetaType::fromType<Wallpaper>() ? wallpaper.value<Wallpaper>().id()
                                                                              : wallpaper.toString();
    const int n = m_wallpapers->count();
    const int threshold = n < 7 ? 0 : n - 6;
    const int index = m_wallpapers->indexOfId(id);
    if (index < 0 || index < threshold)
        return;
    loadMoreAsync();
}

QCoro::Task<void> ExploreViewModel::loadMoreAsync()
{
    if (!m_hasMore || isLoading())
        co_return;
    auto ticket = m_pageSlot.start();
    const int page = m_currentPage + 1;
    try {
        const auto response = co_await fetchPage(page, ticket.token());
        // A newer search aborted this page: it belongs to a grid that is gone.
        if (!ticket.isCurrent())
            co_return;
        if (response.data.isEmpty()) {
            setHasMore(false);
            co_return;
        }
        QSet<QString> shown;
        for (const Wallpaper &w : m_wallpapers->wallpapers())
            shown.insert(w.id());
        QList<Wallpaper> fresh;
        for (const Wallpaper &w : response.data) {
            if (!shown.contains(w.id())) {
                shown.insert(w.id());
                fresh.append(w);
            }
        }
        m_wallpapers->append(fresh);
        setCurrentPage(page);
        setHasMore(hasMoreAfter(response, m_currentPage));
    } catch (const std::exception &) {
        // The same page is asked for again when a trailing card next comes into view.
    }
}

void ExploreViewModel::updateLoading()
{
    const bool loading = isLoading();
    setIfChanged(m_isLoading, loading, this, &ExploreViewModel::isLoadingChanged);
}

void ExploreViewModel::setCurrentPage(int page)
{
    setIfChanged(m_currentPage, page, this, &ExploreViewModel::currentPageChanged);
}

void ExploreViewModel::setHasMore(bool hasMore)
{
    setIfChanged(m_hasMore, hasMore, this, &ExploreViewModel::hasMoreChanged);
}
