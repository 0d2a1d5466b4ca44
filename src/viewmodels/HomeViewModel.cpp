// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/HomeViewModel.h"
#include "viewmodels/SetIfChanged.h"
#include "services/APIClient.h"
#include "viewmodels/CategoryRowListModel.h"
#include "viewmodels/ErrorText.h"

HomeViewModel::HomeViewModel(QObject *parent)
    : HomeViewModel(APIClient::shared(), Timing{}, parent)
{
}

HomeViewModel::HomeViewModel(APIClient &api, Timing timing, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_timing(timing)
    , m_categoryRows(new CategoryRowListModel(this))
{
}

HomeViewModel::~HomeViewModel()
{
    m_scopes.cancel();
}

QVariantList HomeViewModel::featuredVariants() const
{
    QVariantList list;
    list.reserve(m_featured.size());
    for (const Wallpaper &w : m_featured)
        list.append(QVariant::fromValue(w));
    return list;
}

void HomeViewModel::setSelectedFeaturedIndex(int index)
{
    setIfChanged(m_selectedFeaturedIndex, index, this, &HomeViewModel::selectedFeaturedIndexChanged);
}

void HomeViewModel::load()
{
    loadAsync();
}

QCoro::Task<void> HomeViewModel::loadAsync()
{
    if (m_isLoading)
        co_return;
    const CancellationToken alive = m_scopes.root();
    setLoading(true);
    setError({});

    // Both lists are asked for at once; each has its own token so that the one not yet awaited
    // can be abandoned when the other fails.
    const CancellationToken featuredToken = m_scopes.child();
    const CancellationToken categoriesToken = m_scopes.child();
    auto featuredTask = m_api.fetchFeatured(featuredToken);
    auto categoriesTask = m_api.fetchCategories(categoriesToken);

    QString failure;
    bool failed = false;
    QList<Wallpaper> featured;
    QList<Category> categories;
    try {
        featured = co_await featuredTask;
    } catch (const std::exception &e) {
        failed = true;
        failure = errorText(e);
    }
    if (alive->isCancelled())
        co_return;
    if (failed) {
        categoriesToken->cancel();
        try {
            co_await categoriesTask;
        } catch (const std::exception &) {
        }
        if (alive->isCancelled())
            co_return;
        setError(failure);
        setLoading(false);
        co_return;
    }
    try {
        categories = co_await categoriesTask;
    } catch (const std::exception &e) {
        failed = true;
        failure = errorText(e);
    }
    if (alive->isCancelled())
        co_return;
    if (failed) {
        setError(failure);
        setLoading(false);
        co_return;
    }

    m_featured = featured;
    Q_EMIT featuredChanged();

    QList<CategoryRow> rows;
    for (const Category &category : categories.mid(0, maxRows)) {
        try {
            const auto page = co_await m_api.fetchWallpapers(1, rowLimit, category.id(), std::nullopt, std::nullopt, alive);
            if (alive->isCancelled())
                co_return;
            if (!page.data.isEmpty())
                rows.append(CategoryRow{category, page.data});
        } catch (const std::exception &e) {
            if (alive->isCancelled())
                co_return;
            setError(errorText(e));
            setLoading(false);
            co_return;
        }
    }
    m_categoryRows->setRows(rows);
    setLoading(false);
}

void HomeViewModel::setLoading(bool loading)
{
    setIfChanged(m_isLoading, loading, this, &HomeViewModel::isLoadingChanged);
}

void HomeViewModel::setError(const QString &error)
{
    setIfChanged(m_error, error, this, &HomeViewModel::errorChanged);
}
