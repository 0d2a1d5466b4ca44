// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Category.h"
#include "models/Wallpaper.h"
#include "services/PaginatedResponse.h"
#include "viewmodels/RequestSlot.h"
#include "viewmodels/ScopeGroup.h"
#include "viewmodels/Timing.h"

#include <QCoroTask>
#include <QObject>
#include <QQmlEngine>
#include <QVariant>
#include <optional>

class APIClient;
#include "viewmodels/WallpaperListModel.h"

// The Explore screen: search text, category and sort filters over an endless, paged grid.
// Every filter change starts a fresh search (the text after a pause in typing) and abandons the
// previous one with its request.
class ExploreViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(QVariant selectedCategory READ selectedCategoryVariant WRITE setSelectedCategoryVariant NOTIFY selectedCategoryChanged)
    Q_PROPERTY(QString selectedCategoryId READ selectedCategoryId NOTIFY selectedCategoryChanged)
    Q_PROPERTY(QString sortOption READ sortOption WRITE setSortOption NOTIFY sortOptionChanged)
    Q_PROPERTY(WallpaperListModel *wallpapers READ wallpapers CONSTANT)
    Q_PROPERTY(QVariantList categories READ categoriesVariants NOTIFY categoriesChanged)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(int currentPage READ currentPage NOTIFY currentPageChanged)
    Q_PROPERTY(bool hasMore READ hasMore NOTIFY hasMoreChanged)

public:
    static constexpr int pageSize = 20;

    explicit ExploreViewModel(QObject *parent = nullptr);
    ExploreViewModel(APIClient &api, Timing timing, QObject *parent = nullptr);
    ~ExploreViewModel() override;

    QString searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    const std::optional<Category> &selectedCategory() const { return m_selectedCategory; }
    void setSelectedCategory(const std::optional<Category> &category);
    QVariant selectedCategoryVariant() const;
    // Takes a Category gadget, a category id (looked up in `categories`), or null/undefined for all.
    void setSelectedCategoryVariant(const QVariant &category);
    QString selectedCategoryId() const { return m_selectedCategory ? m_selectedCategory->id() : QString(); }
    QString sortOption() const { return m_sortOption; }
    void setSortOption(const QString &sort);

    WallpaperListModel *wallpapers() const { return m_wallpapers; }
    const QList<Category> &categories() const { return m_categories; }
    QVariantList categoriesVariants() const;
    bool isLoading() const { return m_categoriesSlot.busy() || m_searchSlot.busy() || m_pageSlot.busy(); }
    int currentPage() const { return m_currentPage; }
    bool hasMore() const { return m_hasMore; }
    bool isLoadingMore() const { return m_pageSlot.busy(); }

    // Whether another page may exist after `page` (the pagination if given, else a full page).
    static bool hasMoreAfter(const PaginatedResponse<Wallpaper> &page, int currentPage);

    Q_INVOKABLE void loadInitial();
    QCoro::Task<void> loadInitialAsync();
    // Called by the grid as a card comes into view; takes the Wallpaper gadget or its id.
    Q_INVOKABLE void loadMoreIfNeeded(const QVariant &wallpaper);
    QCoro::Task<void> loadMoreAsync();
    // The search a filter change runs; exposed for tests.
    QCoro::Task<void> searchAsync(CancellationToken token);

Q_SIGNALS:
    void searchTextChanged();
    void selectedCategoryChanged();
    void sortOptionChanged();
    void categoriesChanged();
    void isLoadingChanged();
    void currentPageChanged();
    void hasMoreChanged();

private:
    // Abandons the current search and starts another, after the debounce when asked to.
    void restartSearch(bool debounce);
    QCoro::Task<void> runSearch(CancellationToken token, bool debounce);
    QCoro::Task<PaginatedResponse<Wallpaper>> fetchPage(int page, CancellationToken token);

    // Announces isLoading when one of the slots it derives from moved.
    void updateLoading();
    void setCurrentPage(int page);
    void setHasMore(bool hasMore);

    APIClient &m_api;
    Timing m_timing;
    ScopeGroup m_scopes;
    CancellationToken m_searchToken; // the pending search, debounce included
    // A search (or the first page) replaces the grid, a next page extends it; a search aborts
    // the next page left from the grid it replaces.
    RequestSlot m_categoriesSlot{m_scopes, [this] { updateLoading(); }};
    RequestSlot m_searchSlot{m_scopes, [this] { updateLoading(); }};
    RequestSlot m_pageSlot{m_scopes, [this] { updateLoading(); }};

    QString m_searchText;
    std::optional<Category> m_selectedCategory;
    QString m_sortOption = QStringLiteral("newest");
    WallpaperListModel *m_wallpapers;
    QList<Category> m_categories;
    bool m_isLoading = false; // as last announced
    int m_currentPage = 1;
    bool m_hasMore = true;
};
