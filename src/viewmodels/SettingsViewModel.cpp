// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/SettingsViewModel.h"
#include "config/AppConfig.h"
#include "config/BuildInfo.h"
#include "config/PreferenceKeys.h"
#include "config/SettingsStore.h"
#include "services/APIClient.h"
#include "services/AutoChangeSchedule.h"
#include "services/AutoChanger.h"
#include "services/CacheManager.h"
#include "services/LoginItem.h"
#include "services/WallpaperEngine.h"
#include "viewmodels/ErrorText.h"
#include "viewmodels/Formatters.h"
#include "viewmodels/SetIfChanged.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QVariantMap>

namespace {
AutoChangeSchedule *defaultSchedule = nullptr;

// The catalogue's categories, or none when they cannot be had (the other sources still work).
QCoro::Task<QList<Category>> categoriesOrNone(APIClient &api, CancellationToken cancel)
{
    try {
        co_return co_await api.fetchCategories(cancel);
    } catch (const std::exception &) {
        co_return QList<Category>{};
    }
}
} // namespace

SettingsViewModel::SettingsViewModel(QObject *parent)
    : SettingsViewModel(SettingsStore::shared(), CacheManager::shared(), LoginItem::shared(), WallpaperEngine::shared(), parent,
                        defaultSchedule, &APIClient::shared())
{
}

SettingsViewModel::SettingsViewModel(QSettings &settings, CacheManager &cache, LoginItem &loginItem,
                                     WallpaperEngine &engine, QObject *parent, AutoChangeSchedule *schedule, APIClient *api)
    : QObject(parent)
    , m_settings(settings)
    , m_cache(cache)
    , m_loginItem(loginItem)
    , m_engine(engine)
    , m_schedule(schedule)
    , m_api(api)
    , m_statusTimer(new QTimer(this))
{
    // Reading the initial state stores nothing.
    m_startOnLogin = m_loginItem.isEnabled();
    m_autoChangeWallpaper = m_settings.value(PreferenceKeys::autoChangeWallpaper, false).toBool();
    const int minutes = m_settings.value(PreferenceKeys::changeIntervalMinutes, 0).toInt();
    m_changeInterval = minutes == 0 ? PreferenceKeys::defaultChangeIntervalMinutes : minutes;
    m_lockScreenEnabled = m_settings.value(PreferenceKeys::lockScreenEnabled, false).toBool();
    m_cacheSize = measuredCacheSize();
    const bool haveFavorites = !m_settings.value(PreferenceKeys::favoriteIds).toStringList().isEmpty();
    m_autoChangeSource = AutoChanger::effectiveSource(m_settings.value(PreferenceKeys::autoChangeSource).toString(), haveFavorites);
    m_fitDisplays = m_settings.value(PreferenceKeys::autoChangeFitDisplays, false).toBool();
    m_notifyOnChange = m_settings.value(PreferenceKeys::autoChangeNotify, true).toBool();
    m_sourceChoices = {QVariantMap{{QStringLiteral("name"), tr("Favorites")}, {QStringLiteral("value"), QStringLiteral("favorites")}},
                       QVariantMap{{QStringLiteral("name"), tr("Newest")}, {QStringLiteral("value"), QStringLiteral("newest")}},
                       QVariantMap{{QStringLiteral("name"), tr("Popular")}, {QStringLiteral("value"), QStringLiteral("popular")}}};
    if (m_schedule) {
        // Scheduling talks to systemd and returns at once; its outcome arrives here.
        connect(m_schedule, &AutoChangeSchedule::settled, this, [this](const QString &error) {
            m_scheduleError = error;
            if (!error.isEmpty())
                setError(error);
            refreshAutoChangeStatus();
        });
        m_schedule->ensure(m_autoChangeWallpaper, m_changeInterval);
    }
    refreshAutoChangeStatus();
    // The change runs in another process (the timer's); its outcome reaches the sheet through the file.
    connect(m_statusTimer, &QTimer::timeout, this, &SettingsViewModel::refreshAutoChangeStatus);
    m_statusTimer->start(5000);
    loadCategories();
    loadCapabilitiesAsync();
}

QCoro::Task<void> SettingsViewModel::loadCapabilitiesAsync()
{
    const auto alive = m_scopes.root();
    const std::optional<DesktopCapabilities> can = co_await m_engine.capabilitiesToOffer();
    if (alive->isCancelled() || !can || *can == m_capabilities)
        co_return;
    m_capabilities = *can;
    Q_EMIT capabilitiesChanged();
}

SettingsViewModel::~SettingsViewModel()
{
    m_scopes.cancel();
}

void SettingsViewModel::setAutoChangeWallpaper(bool on)
{
    m_settings.setValue(PreferenceKeys::autoChangeWallpaper, on);
    m_settings.sync(); // on disk when the switch returns: a crash right after must not lose it
    setIfChanged(m_autoChangeWallpaper, on, this, &SettingsViewModel::autoChangeWallpaperChanged);
    applySchedule();
}

void SettingsViewModel::setDefaultSchedule(AutoChangeSchedule *schedule)
{
    defaultSchedule = schedule;
}

void SettingsViewModel::applySchedule()
{
    if (m_schedule)
        m_schedule->apply(m_autoChangeWallpaper, m_changeInterval);
    refreshAutoChangeStatus();
}

void SettingsViewModel::setAutoChangeSource(const QString &source)
{
    m_settings.setValue(PreferenceKeys::autoChangeSource, source);
    m_settings.sync();
    setIfChanged(m_autoChangeSource, source, this, &SettingsViewModel::autoChangeSourceChanged);
    refreshAutoChangeStatus();
}

void SettingsViewModel::setFitDisplays(bool on)
{
    if (on)
        recordDisplaySizes();
    m_settings.setValue(PreferenceKeys::autoChangeFitDisplays, on);
    m_settings.sync();
    setIfChanged(m_fitDisplays, on, this, &SettingsViewModel::fitDisplaysChanged);
}

void SettingsViewModel::recordDisplaySizes()
{
    // The timer's run has no screens to measure; it reads what the window saw.
    QStringList sizes;
    for (QScreen *screen : QGuiApplication::screens()) {
        const QSize pixels = screen->size() * screen->devicePixelRatio();
        sizes << QStringLiteral("%1x%2").arg(pixels.width()).arg(pixels.height());
    }
    m_settings.setValue(PreferenceKeys::autoChangeDisplaySizes, sizes);
}

void SettingsViewModel::setNotifyOnChange(bool on)
{
    m_settings.setValue(PreferenceKeys::autoChangeNotify, on);
    m_settings.sync();
    setIfChanged(m_notifyOnChange, on, this, &SettingsViewModel::notifyOnChangeChanged);
}

void SettingsViewModel::refreshAutoChangeStatus()
{
    m_settings.sync();
    const QLocale locale;
    const QDateTime lastRun = QDateTime::fromString(m_settings.value(PreferenceKeys::autoChangeLastRun).toString(), Qt::ISODate).toLocalTime();
    const QString result = m_settings.value(PreferenceKeys::autoChangeLastResult).toString();
    const auto when = [&](const QDateTime &at) {
        QString format = locale.timeFormat(QLocale::ShortFormat);
        format.remove(QStringLiteral(":ss")); // the timer keeps to the minute
        const QString time = locale.toString(at.time(), format);
        const QDate today = QDate::currentDate();
        if (at.date() == today)
            return time;
        if (at.date() == today.addDays(1))
            return tr("tomorrow %1").arg(time);
        return locale.toString(at.date(), QLocale::ShortFormat) + u' ' + time;
    };
    QString next;
    const bool noFavorites = m_settings.value(PreferenceKeys::favoriteIds).toStringList().isEmpty();
    if (m_autoChangeWallpaper && m_autoChangeSource == QLatin1String("favorites") && noFavorites)
        next = tr("Nothing to pick from: there are no favorites yet");
    else if (m_autoChangeWallpaper)
        next = tr("Next change: %1").arg(when(AutoChangeSchedule::nextChange(QDateTime::currentDateTime(), m_changeInterval, lastRun)));
    QString last = lastRun.isValid() && !result.isEmpty() ? tr("Last change (%1): %2").arg(when(lastRun), result) : QString();
    bool failed = m_settings.value(PreferenceKeys::autoChangeLastFailed, false).toBool();
    if (!m_scheduleError.isEmpty()) { // the changes themselves will not happen: that comes first
        last = tr("Could not schedule the automatic change: %1").arg(m_scheduleError);
        failed = true;
    }
    if (next == m_nextChangeText && last == m_lastResultText && failed == m_lastResultFailed)
        return;
    m_nextChangeText = next;
    m_lastResultText = last;
    m_lastResultFailed = failed;
    Q_EMIT autoChangeStatusChanged();
}

void SettingsViewModel::loadCategories()
{
    if (!m_api)
        return;
    QCoro::connect(categoriesOrNone(*m_api, m_scopes.root()), this, [this](const QList<Category> &categories) {
        for (const Category &category : categories) {
            m_sourceChoices.append(QVariantMap{{QStringLiteral("name"), category.name()},
                                               {QStringLiteral("value"), QStringLiteral("category:") + category.id()}});
        }
        if (!categories.isEmpty())
            Q_EMIT sourceChoicesChanged();
    });
}

void SettingsViewModel::setChangeInterval(int minutes)
{
    setIfChanged(m_changeInterval, minutes, this, &SettingsViewModel::changeIntervalChanged);
}

void SettingsViewModel::storeChangeInterval(int minutes)
{
    setChangeInterval(minutes);
    m_settings.setValue(PreferenceKeys::changeIntervalMinutes, minutes);
    m_settings.sync();
    if (m_autoChangeWallpaper)
        applySchedule(); // re-timed
}

void SettingsViewModel::setLockScreenEnabled(bool on)
{
    m_settings.setValue(PreferenceKeys::lockScreenEnabled, on);
    m_settings.sync();
    setIfChanged(m_lockScreenEnabled, on, this, &SettingsViewModel::lockScreenEnabledChanged);
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
    setIfChanged(m_startOnLogin, on, this, &SettingsViewModel::startOnLoginChanged);
}

void SettingsViewModel::setCacheSize(const QString &text)
{
    setIfChanged(m_cacheSize, text, this, &SettingsViewModel::cacheSizeChanged);
}

void SettingsViewModel::setError(const QString &error)
{
    setIfChanged(m_error, error, this, &SettingsViewModel::errorChanged);
}
