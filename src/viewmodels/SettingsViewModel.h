// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QVariantList>

class CacheManager;
class LoginItem;
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
    Q_PROPERTY(QVariantList intervalChoices READ intervalChoices CONSTANT)

public:
    explicit SettingsViewModel(QObject *parent = nullptr);
    SettingsViewModel(QSettings &settings, CacheManager &cache, LoginItem &loginItem, WallpaperEngine &engine,
                      QObject *parent = nullptr);
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
    // {name, minutes} of each automatic-change interval, shortest first.
    QVariantList intervalChoices() const;

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
    void cacheSizeChanged();
    void errorChanged();

private:
    QString measuredCacheSize() const;
    void setStartOnLogin(bool on);
    void setCacheSize(const QString &text);
    void setError(const QString &error);

    QSettings &m_settings;
    CacheManager &m_cache;
    LoginItem &m_loginItem;
    WallpaperEngine &m_engine;
    bool m_startOnLogin = false;
    bool m_autoChangeWallpaper = false;
    int m_changeInterval = 60;
    bool m_lockScreenEnabled = false;
    QString m_cacheSize;
    QString m_error;
};
