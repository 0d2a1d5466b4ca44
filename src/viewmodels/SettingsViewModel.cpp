// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/SettingsViewModel.h"
#include "config/AppConfig.h"
#include "config/BuildInfo.h"
#include "config/PreferenceKeys.h"
#include "config/SettingsStore.h"
#include "services/CacheManager.h"
#include "services/LoginItem.h"
#include "services/WallpaperEngine.h"
#include "viewmodels/ErrorText.h"
#include "viewmodels/Formatters.h"

#include <QSettings>
#include <QVariantMap>

SettingsViewModel::SettingsViewModel(QObject *parent)
    : SettingsViewModel(SettingsStore::shared(), CacheManager::shared(), LoginItem::shared(), WallpaperEngine::shared(), parent)
{
}

SettingsViewModel::SettingsViewModel(QSettings &settings, CacheManager &cache, LoginItem &loginItem,
                                     WallpaperEngine &engine, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_cache(cache)
    , m_loginItem(loginItem)
    , m_engine(engine)
{
    // Reading the initial state stores nothing.
    m_startOnLogin = m_loginItem.isEnabled();
    m_autoChangeWallpaper = m_settings.value(PreferenceKeys::autoChangeWallpaper, false).toBool();
    const int minutes = m_settings.value(PreferenceKeys::changeIntervalMinutes, 0).toInt();
    m_changeInterval = minutes == 0 ? PreferenceKeys::defaultChangeIntervalMinutes : minutes;
    m_lockScreenEnabled = m_settings.value(PreferenceKeys::lockScreenEnabled, false).toBool();
    m_cacheSize = measuredCacheSize();
}

SettingsViewModel::~SettingsViewModel() = default;

void SettingsViewModel::setAutoChangeWallpaper(bool on)
{
    m_settings.setValue(PreferenceKeys::autoChangeWallpaper, on);
    m_settings.sync(); // on disk when the switch returns: a crash right after must not lose it
    if (m_autoChangeWallpaper == on)
        return;
    m_autoChangeWallpaper = on;
    Q_EMIT autoChangeWallpaperChanged();
}

void SettingsViewModel::setChangeInterval(int minutes)
{
    if (m_changeInterval == minutes)
        return;
    m_changeInterval = minutes;
    Q_EMIT changeIntervalChanged();
}

void SettingsViewModel::storeChangeInterval(int minutes)
{
    setChangeInterval(minutes);
    m_settings.setValue(PreferenceKeys::changeIntervalMinutes, minutes);
    m_settings.sync();
}

void SettingsViewModel::setLockScreenEnabled(bool on)
{
    m_settings.setValue(PreferenceKeys::lockScreenEnabled, on);
    m_settings.sync();
    if (m_lockScreenEnabled == on)
        return;
    m_lockScreenEnabled = on;
    Q_EMIT lockScreenEnabledChanged();
}

QString SettingsViewModel::appVersion() const
{
    return versionText(QString::fromUtf8(BuildInfo::version), QString::fromUtf8(BuildInfo::buildNumber));
}

QString SettingsViewModel::versionText(const QString &shortVersion, const QString &build)
{
    const QString version = shortVersion.isEmpty() ? QStringLiteral("1.0") : shortVersion;
    const QString number = build.isEmpty() ? QStringLiteral("1") : build;
    return version + QStringLiteral(" (") + number + QLatin1Char(')');
}

bool SettingsViewModel::accessibilityTrusted() const
{
    return m_engine.isAccessibilityTrusted();
}

QVariantList SettingsViewModel::intervalChoices() const
{
    QVariantList choices;
    for (AppConfig::ChangeInterval interval : AppConfig::allChangeIntervals()) {
        choices.append(QVariantMap{{QStringLiteral("name"), AppConfig::displayName(interval)},
                                   {QStringLiteral("minutes"), AppConfig::rawValue(interval)}});
    }
    return choices;
}

void SettingsViewModel::toggleStartOnLogin()
{
    const bool enable = !m_startOnLogin;
    try {
        m_loginItem.setLaunchAtLogin(enable);
    } catch (const std::exception &e) {
        setError(errorText(e));
        return;
    }
    // The switch shows what is on disk, not what was asked for.
    setStartOnLogin(m_loginItem.isEnabled());
}

void SettingsViewModel::clearCache()
{
    try {
        m_cache.clearCache();
    } catch (const std::exception &e) {
        setError(errorText(e));
        return;
    }
    setCacheSize(measuredCacheSize());
}

void SettingsViewModel::openAccessibilitySettings()
{
    m_engine.openAccessibilitySettings();
}

QString SettingsViewModel::measuredCacheSize() const
{
    return Formatters::formatByteCount(m_cache.cacheSize());
}

void SettingsViewModel::setStartOnLogin(bool on)
{
    if (m_startOnLogin == on)
        return;
    m_startOnLogin = on;
    Q_EMIT startOnLoginChanged();
}

void SettingsViewModel::setCacheSize(const QString &text)
{
    if (m_cacheSize == text)
        return;
    m_cacheSize = text;
    Q_EMIT cacheSizeChanged();
}

void SettingsViewModel::setError(const QString &error)
{
    if (m_error == error)
        return;
    m_error = error;
    Q_EMIT errorChanged();
}
