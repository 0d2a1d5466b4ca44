// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewmodels/ScopeGroup.h"
#include "viewmodels/Timing.h"

#include <QCoroTask>
#include <QObject>
#include <QQmlEngine>
#include <QVariantList>

class APIClient;
#include "viewmodels/CategoryRowListModel.h"


// The Home screen: featured wallpapers for the hero and up to six category rows of eight.
class HomeViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QVariantList featured READ featuredVariants NOTIFY featuredChanged)
    Q_PROPERTY(CategoryRowListModel *categoryRows READ categoryRows CONSTANT)
    Q_PROPERTY(int selectedFeaturedIndex READ selectedFeaturedIndex WRITE setSelectedFeaturedIndex NOTIFY selectedFeaturedIndexChanged)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)
    Q_PROPERTY(bool hasError READ hasError NOTIFY errorChanged)
    Q_PROPERTY(int carouselInterval READ carouselInterval CONSTANT)

public:
    static constexpr int maxRows = 6;
    static constexpr int rowLimit = 8;

    explicit HomeViewModel(QObject *parent = nullptr);
    HomeViewModel(APIClient &api, Timing timing, QObject *parent = nullptr);
    ~HomeViewModel() override;

    const QList<Wallpaper> &featured() const { return m_featured; }
    QVariantList featuredVariants() const;
    CategoryRowListModel *categoryRows() const { return m_categoryRows; }
    int selectedFeaturedIndex() const { return m_selectedFeaturedIndex; }
    void setSelectedFeaturedIndex(int index);
    bool isLoading() const { return m_isLoading; }
    QString error() const { return m_error; }
    bool hasError() const { return !m_error.isEmpty(); }
    int carouselInterval() const { return m_timing.carouselMs; }

    Q_INVOKABLE void load();
    QCoro::Task<void> loadAsync();

Q_SIGNALS:
    void featuredChanged();
    void selectedFeaturedIndexChanged();
    void isLoadingChanged();
    void errorChanged();

private:
    void setLoading(bool loading);
    void setError(const QString &error);

    APIClient &m_api;
    Timing m_timing;
    ScopeGroup m_scopes;
    QList<Wallpaper> m_featured;
    CategoryRowListModel *m_categoryRows;
    int m_selectedFeaturedIndex = 0;
    bool m_isLoading = false;
    QString m_error;
};
