// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewmodels/ScopeGroup.h"

#include <QCoroTask>
#include <QObject>
#include <QQmlEngine>

class APIClient;
class FavoritesStore;
class QSettings;
#include "viewmodels/WallpaperListModel.h"

// The Library: the stored favourite ids turned into wallpapers, one request each, and the
// wallpapers saved to Downloads whose files are still there, newest first.
class LibraryViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(WallpaperListModel *favorites READ favorites CONSTANT)
    Q_PROPERTY(WallpaperListModel *downloads READ downloads CONSTANT)
    Q_PROPERTY(bool isLoadingDownloads READ isLoadingDownloads NOTIFY isLoadingDownloadsChanged)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)
    Q_PROPERTY(bool hasError READ hasError NOTIFY errorChanged)
    Q_PROPERTY(QString favoritesKey READ favoritesKey CONSTANT)

public:
    explicit LibraryViewModel(QObject *parent = nullptr);
    LibraryViewModel(APIClient &api, FavoritesStore &store, QObject *parent = nullptr);
    ~LibraryViewModel() override;

    WallpaperListModel *favorites() const { return m_favorites; }
    WallpaperListModel *downloads() const { return m_downloads; }
    bool isLoadingDownloads() const { return m_isLoadingDownloads; }
    bool isLoading() const { return m_isLoading; }
    // Kept for the screen's error panel; no load sets it (a favourite that fails is skipped).
    QString error() const { return m_error; }
    bool hasError() const { return !m_error.isEmpty(); }
    QString favoritesKey() const;

    Q_INVOKABLE void loadFavorites();
    QCoro::Task<void> loadFavoritesAsync();
    Q_INVOKABLE void loadDownloads();
    QCoro::Task<void> loadDownloadsAsync();

    // Remembers that the wallpaper `id` was saved as `path` (in `settings`, on disk at once).
    static void recordDownload(QSettings &settings, const QString &id, const QString &path);

Q_SIGNALS:
    void isLoadingChanged();
    void isLoadingDownloadsChanged();
    void errorChanged();

private:
    void setLoading(bool loading);

    APIClient &m_api;
    FavoritesStore &m_store;
    ScopeGroup m_scopes;
    WallpaperListModel *m_favorites;
    WallpaperListModel *m_downloads;
    bool m_isLoading = false;
    bool m_isLoadingDownloads = false;
    QString m_error;
};
