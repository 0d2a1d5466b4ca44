// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopBackend.h"
#include "viewmodels/ScopeGroup.h"

#include <QCoroTask>
#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QVariantList>

class APIClient;
class AutoChangeSchedule;
class CacheManager;
class LoginItem;
class QTimer;
class QSettings;
class WallpaperEngine;

// The Settings sheet: start-on-login, the three stored preferences, the cache size and its
// clearing, and the version text.
class SettingsViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool startOnLogin READ startOnLogin NOTIFY startOnLoginChanged)
    Q_PROPERTY(bool autoChangeWallpaper READ autoChangeWallpaper WRITE setAutoChangeWallpaper NOTIFY autoChangeWallpaperChanged)
    Q_PROPERTY(int changeInterval READ changeInterval WRITE setChangeInterval NOTIFY changeIntervalChanged)
    Q_PROPERTY(bool lockScreenEnabled READ lockScreenEnabled WRITE setLockScreenEnabled NOTIFY lockScreenEnabledChanged)
    Q_PROPERTY(QString cacheSize READ cacheSize NOTIFY cacheSizeChanged)
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)
    Q_PROPERTY(bool hasError READ hasError NOTIFY errorChanged)
    Q_PROPERTY(QString appVersion READ appVersion CONSTANT)
    Q_PROPERTY(bool accessibilityTrusted READ accessibilityTrusted CONSTANT)
    // What this desktop does with a lock-screen picture: whether one can be set, and if not, why.
    Q_PROPERTY(bool canSetLockScreen READ canSetLockScreen NOTIFY capabilitiesChanged)
    Q_PROPERTY(QString lockScreenNote READ lockScreenNote NOTIFY capabilitiesChanged)
    Q_PROPERTY(QVariantList intervalChoices READ intervalChoices CONSTANT)
    // The automatic change: what it picks from ({name, value} choices; the value is stored),
    // whether only wallpapers that fit the displays count, whether it notifies, when it next
    // happens and how the last one ended.
    Q_PROPERTY(QString autoChangeSource READ autoChangeSource WRITE setAutoChangeSource NOTIFY autoChangeSourceChanged)
    Q_PROPERTY(QVariantList sourceChoices READ sourceChoices NOTIFY sourceChoicesChanged)
    Q_PROPERTY(bool fitDisplays READ fitDisplays WRITE setFitDisplays NOTIFY fitDisplaysChanged)
    Q_PROPERTY(bool notifyOnChange READ notifyOnChange WRITE setNotifyOnChange NOTIFY notifyOnChangeChanged)
    Q_PROPERTY(QString nextChangeText READ nextChangeText NOTIFY autoChangeStatusChanged)
    Q_PROPERTY(QString lastResultText READ lastResultText NOTIFY autoChangeStatusChanged)
    Q_PROPERTY(bool lastResultFailed READ lastResultFailed NOTIFY autoChangeStatusChanged)

public:
    explicit SettingsViewModel(QObject *parent = nullptr);
    // `schedule` and `api` may be null: nothing is scheduled, no categories are offered.
    SettingsViewModel(QSettings &settings, CacheManager &cache, LoginItem &loginItem, WallpaperEngine &engine,
                      QObject *parent = nullptr, AutoChangeSchedule *schedule = nullptr, APIClient *api = nullptr);
    ~SettingsViewModel() override;

    bool startOnLogin() const { return m_startOnLogin; }
    bool autoChangeWallpaper() const { return m_autoChangeWallpaper; }
    // Stores the value too.
    void setAutoChangeWallpaper(bool on);
    int changeInterval() const { return m_changeInterval; }
    // Only shows the value; storeChangeInterval() also writes it.
    void setChangeInterval(int minutes);
    bool lockScreenEnabled() const { return m_lockScreenEnabled; }
    // Stores the value too.
    void setLockScreenEnabled(bool on);
    QString cacheSize() const { return m_cacheSize; }
    QString error() const { return m_error; }
    bool hasError() const { return !m_error.isEmpty(); }
    QString appVersion() const;
    bool accessibilityTrusted() const;
    bool canSetLockScreen() const { return m_capabilities.lockScreenPicture; }
    QString lockScreenNote() const { return m_capabilities.lockScreenSentence(); }
    // {name, minutes} of each automatic-change interval, shortest first.
    QVariantList intervalChoices() const;

    QString autoChangeSource() const { return m_autoChangeSource; }
    void setAutoChangeSource(const QString &source);
    QVariantList sourceChoices() const { return m_sourceChoices; }
    bool fitDisplays() const { return m_fitDisplays; }
    void setFitDisplays(bool on);
    bool notifyOnChange() const { return m_notifyOnChange; }
    void setNotifyOnChange(bool on);
    QString nextChangeText() const { return m_nextChangeText; }
    QString lastResultText() const { return m_lastResultText; }
    bool lastResultFailed() const { return m_lastResultFailed; }

    // The schedule that sheets created from QML drive; the application sets it once, so that a
    // test's window never touches the user's real timer.
    static void setDefaultSchedule(AutoChangeSchedule *schedule);

    // "<short version> (<build>)"; an empty part counts as "1.0" and "1".
    static QString versionText(const QString &shortVersion, const QString &build);

    Q_INVOKABLE void toggleStartOnLogin();
    Q_INVOKABLE void clearCache();
    Q_INVOKABLE void storeChangeInterval(int minutes);
    Q_INVOKABLE void openAccessibilitySettings();

Q_SIGNALS:
    void startOnLoginChanged();
    void autoChangeWallpaperChanged();
    void changeIntervalChanged();
    void lockScreenEnabledChanged();
    void capabilitiesChanged();
    void cacheSizeChanged();
    void errorChanged();
    void autoChangeSourceChanged();
    void sourceChoicesChanged();
    void fitDisplaysChanged();
    void notifyOnChangeChanged();
    void autoChangeStatusChanged();

private:
    QString measuredCacheSize() const;
    void setStartOnLogin(bool on);
    void setCacheSize(const QString &text);
    void setError(const QString &error);
    void applySchedule();
    void refreshAutoChangeStatus();
    void loadCategories();
    void recordDisplaySizes();

    QSettings &m_settings;
    CacheManager &m_cache;
    LoginItem &m_loginItem;
    QCoro::Task<void> loadCapabilitiesAsync();

    WallpaperEngine &m_engine;
    DesktopCapabilities m_capabilities; // everything until the desktop says otherwise
    bool m_startOnLogin = false;
    bool m_autoChangeWallpaper = false;
    int m_changeInterval = 60;
    bool m_lockScreenEnabled = false;
    QString m_cacheSize;
    QString m_error;
    AutoChangeSchedule *m_schedule = nullptr;
    APIClient *m_api = nullptr;
    QString m_autoChangeSource;
    QVariantList m_sourceChoices;
    bool m_fitDisplays = false;
    bool m_notifyOnChange = true;
    QString m_nextChangeText;
    QString m_lastResultText;
    bool m_lastResultFailed = false;
    QString m_scheduleError; // why systemd (or the login item) refused the last request, if it did
    QTimer *m_statusTimer = nullptr;
    ScopeGroup m_scopes;
};
