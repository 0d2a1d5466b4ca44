// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Wallpaper.h"
#include "platform/DesktopBackend.h"
#include "viewmodels/ScopeGroup.h"

#include <QCoroTask>
#include <QObject>
#include <QQmlEngine>
#include <QList>
#include <QString>
#include <QStringList>

class APIClient;
class FavoritesStore;
class QNetworkAccessManager;
class WallpaperApplier;
class WallpaperEngine;

// The detail sheet of one wallpaper: its favourite mark, applying it to the desktop or the lock
// screen, and saving a copy into Downloads. Every outcome becomes a message for an alert.
class WallpaperDetailViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Wallpaper wallpaper READ wallpaper WRITE setWallpaper NOTIFY wallpaperChanged)
    Q_PROPERTY(bool isFavorited READ isFavorited NOTIFY isFavoritedChanged)
    Q_PROPERTY(bool isSettingWallpaper READ isSettingWallpaper NOTIFY isSettingWallpaperChanged)
    Q_PROPERTY(bool showSuccess READ showSuccess WRITE setShowSuccess NOTIFY showSuccessChanged)
    Q_PROPERTY(bool showError READ showError WRITE setShowError NOTIFY showErrorChanged)
    Q_PROPERTY(QString successMessage READ successMessage NOTIFY successMessageChanged)
    Q_PROPERTY(QString errorMessage READ errorMessage NOTIFY errorMessageChanged)
    // Whether this desktop shows a lock-screen picture we can set, and if not, why.
    Q_PROPERTY(bool canSetLockScreen READ canSetLockScreen NOTIFY capabilitiesChanged)
    Q_PROPERTY(QString lockScreenNote READ lockScreenNote NOTIFY capabilitiesChanged)
    // Where the desktop keeps a picture per monitor and there are two or more: "All displays",
    // then each monitor by its name and size; `monitorChoice` indexes them (0, all, otherwise).
    Q_PROPERTY(bool canChooseMonitor READ canChooseMonitor NOTIFY capabilitiesChanged)
    Q_PROPERTY(QStringList monitorChoices READ monitorChoices NOTIFY capabilitiesChanged)
    Q_PROPERTY(int monitorChoice READ monitorChoice WRITE setMonitorChoice NOTIFY monitorChoiceChanged)

public:
    // Applies through AppState's application-wide applier.
    explicit WallpaperDetailViewModel(QObject *parent = nullptr);
    // `downloadsDirectory` empty means the user's Downloads folder. Applies go through `applier`
    // (application-wide, so they outlive this sheet); without one, through a private applier on
    // `engine` that ends with this view model.
    WallpaperDetailViewModel(const Wallpaper &wallpaper, APIClient &api, WallpaperEngine &engine, FavoritesStore &store,
                             QString downloadsDirectory = {}, QObject *parent = nullptr,
                             WallpaperApplier *applier = nullptr);
    ~WallpaperDetailViewModel() override;

    const Wallpaper &wallpaper() const { return m_wallpaper; }
    // Set once by the sheet; reads the favourite mark afresh.
    void setWallpaper(const Wallpaper &wallpaper);
    bool isFavorited() const { return m_isFavorited; }
    bool isSettingWallpaper() const { return m_isSettingWallpaper; }
    bool showSuccess() const { return m_showSuccess; }
    void setShowSuccess(bool show);
    bool showError() const { return m_showError; }
    void setShowError(bool show);
    QString successMessage() const { return m_successMessage; }
    QString errorMessage() const { return m_errorMessage; }
    QString downloadsDirectory() const;
    bool canSetLockScreen() const { return m_capabilities.lockScreenPicture; }
    QString lockScreenNote() const;
    bool canChooseMonitor() const;
    QStringList monitorChoices() const;
    int monitorChoice() const { return m_monitorChoice; }
    void setMonitorChoice(int choice);
    // Asks the engine what the desktop can show (done once on construction).
    QCoro::Task<void> loadCapabilitiesAsync();

    // A name from the service reduced to a plain file name in one folder: no separators, not
    // empty, no leading dot (it would hide the file); otherwise `<fallbackStem>.<extension>`.
    static QString safeFileName(const QString &suggested, const QString &fallbackStem, const QString &extension);

    Q_INVOKABLE void toggleFavorite();
    Q_INVOKABLE void recordView();
    Q_INVOKABLE void setAsDesktop();
    Q_INVOKABLE void setAsLockScreen();
    Q_INVOKABLE void saveDownload();
    QCoro::Task<void> setAsDesktopAsync();
    QCoro::Task<void> setAsLockScreenAsync();
    QCoro::Task<void> saveDownloadAsync();
    QCoro::Task<void> recordViewAsync();

Q_SIGNALS:
    void wallpaperChanged();
    void isFavoritedChanged();
    void isSettingWallpaperChanged();
    void showSuccessChanged();
    void showErrorChanged();
    void successMessageChanged();
    void errorMessageChanged();
    void capabilitiesChanged();
    void monitorChoiceChanged();

private:
    enum class Target { Desktop, LockScreen };
    QCoro::Task<void> apply(Target target);
    WallpaperApplier &applier();
    QNetworkAccessManager &network();
    void succeed(const QString &message);
    void fail(const QString &message);
    void setFavorited(bool favorited);
    void setSettingWallpaper(bool setting);

    Wallpaper m_wallpaper;
    APIClient &m_api;
    WallpaperEngine &m_engine;
    FavoritesStore &m_store;
    QString m_downloadsDirectory;
    QNetworkAccessManager *m_network = nullptr;
    WallpaperApplier *m_applier = nullptr;
    ScopeGroup m_scopes;
    bool m_isFavorited = false;
    bool m_isSettingWallpaper = false;
    bool m_showSuccess = false;
    bool m_showError = false;
    QString m_successMessage;
    QString m_errorMessage;
    DesktopCapabilities m_capabilities; // everything until the desktop says otherwise
    QList<DesktopScreen> m_screens;     // the named ones, as they were when the sheet opened
    int m_monitorChoice = 0;
};
