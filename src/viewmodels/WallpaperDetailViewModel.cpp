// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/WallpaperDetailViewModel.h"
#include "viewmodels/SetIfChanged.h"
#include "viewmodels/LibraryViewModel.h"
#include "services/APIClient.h"
#include "services/HttpFetch.h"
#include "services/WallpaperEngine.h"
#include "services/WallpaperError.h"
#include "viewmodels/AppState.h"
#include "viewmodels/ErrorText.h"
#include "viewmodels/FavoritesStore.h"
#include "viewmodels/WallpaperApplier.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QStandardPaths>

WallpaperDetailViewModel::WallpaperDetailViewModel(QObject *parent)
    : WallpaperDetailViewModel(Wallpaper(), APIClient::shared(), WallpaperEngine::shared(), FavoritesStore::shared(),
                               {}, parent, &AppState::shared().applier())
{
}

WallpaperDetailViewModel::WallpaperDetailViewModel(const Wallpaper &wallpaper, APIClient &api, WallpaperEngine &engine,
                                                   FavoritesStore &store, QString downloadsDirectory, QObject *parent,
                                                   WallpaperApplier *applier)
    : QObject(parent)
    , m_wallpaper(wallpaper)
    , m_api(api)
    , m_engine(engine)
    , m_store(store)
    , m_downloadsDirectory(std::move(downloadsDirectory))
    , m_applier(applier)
{
    m_isFavorited = m_wallpaper.isValid() && m_store.isFavorite(m_wallpaper.id());
    for (const DesktopScreen &screen : m_engine.screens()) {
        if (!screen.name.isEmpty()) // Qt's offscreen screen has no name a desktop knows
            m_screens.append(screen);
    }
    loadCapabilitiesAsync();
}

QString WallpaperDetailViewModel::lockScreenNote() const
{
    return m_capabilities.lockScreenSentence();
}

bool WallpaperDetailViewModel::canChooseMonitor() const
{
    return m_capabilities.desktopPicture && m_capabilities.perMonitor && m_screens.size() > 1;
}

QStringList WallpaperDetailViewModel::monitorChoices() const
{
    if (!canChooseMonitor())
        return {};
    QStringList choices{QCoreApplication::translate("WallpaperDetailViewModel", "All displays")};
    for (const DesktopScreen &screen : m_screens) {
        if (screen.size.isEmpty())
            choices << screen.name;
        else
            //: A monitor's name and its size in pixels, e.g. "DP-1 — 2560 × 1440"
            choices << QCoreApplication::translate("WallpaperDetailViewModel", "%1 — %2 × %3")
                           .arg(screen.name).arg(screen.size.width()).arg(screen.size.height());
    }
    return choices;
}

void WallpaperDetailViewModel::setMonitorChoice(int choice)
{
    if (choice < 0 || choice > m_screens.size())
        choice = 0;
    setIfChanged(m_monitorChoice, choice, this, &WallpaperDetailViewModel::monitorChoiceChanged);
}

QCoro::Task<void> WallpaperDetailViewModel::loadCapabilitiesAsync()
{
    const CancellationToken alive = m_scopes.root();
    const std::optional<DesktopCapabilities> can = co_await m_engine.capabilitiesToOffer();
    if (alive->isCancelled() || !can || *can == m_capabilities)
        co_return;
    m_capabilities = *can;
    if (!canChooseMonitor())
        setMonitorChoice(0);
    Q_EMIT capabilitiesChanged();
}

WallpaperDetailViewModel::~WallpaperDetailViewModel()
{
    m_scopes.cancel();
}

void WallpaperDetailViewModel::setWallpaper(const Wallpaper &wallpaper)
{
    const bool changed = m_wallpaper.id() != wallpaper.id();
    m_wallpaper = wallpaper;
    setFavorited(m_wallpaper.isValid() && m_store.isFavorite(m_wallpaper.id()));
    if (changed)
        Q_EMIT wallpaperChanged();
}

void WallpaperDetailViewModel::setShowSuccess(bool show)
{
    setIfChanged(m_showSuccess, show, this, &WallpaperDetailViewModel::showSuccessChanged);
}

void WallpaperDetailViewModel::setShowError(bool show)
{
    setIfChanged(m_showError, show, this, &WallpaperDetailViewModel::showErrorChanged);
}

QString WallpaperDetailViewModel::downloadsDirectory() const
{
    if (!m_downloadsDirectory.isEmpty())
        return m_downloadsDirectory;
    return QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
}

QString WallpaperDetailViewModel::safeFileName(const QString &suggested, const QString &fallbackStem,
                                               const QString &extension)
{
    auto clean = [](QString name) {
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        name = name.section(QLatin1Char('/'), -1);
        name.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
        name = name.trimmed();
        // A leading dot would hide the file in the user's folder.
        while (name.startsWith(QLatin1Char('.')))
            name.remove(0, 1);
        return name.trimmed();
    };
    auto usable = [](const QString &name) { return !name.isEmpty(); };
    const QString name = clean(suggested);
    if (usable(name))
        return name;
    QString stem = fallbackStem;
    stem.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    stem = clean(stem);
    if (!usable(stem))
        stem = QStringLiteral("wallpaper");
    return stem + QLatin1Char('.') + extension;
}

void WallpaperDetailViewModel::toggleFavorite()
{
    if (!m_wallpaper.isValid())
        return;
    setFavorited(m_store.toggleFavorite(m_wallpaper.id()));
}

void WallpaperDetailViewModel::recordView()
{
    recordViewAsync();
}

QCoro::Task<void> WallpaperDetailViewModel::recordViewAsync()
{
    if (!m_wallpaper.isValid())
        co_return;
    const CancellationToken alive = m_scopes.root();
    try {
        co_await m_api.recordView(m_wallpaper.id(), alive);
    } catch (const std::exception &) {
        // A view that was not counted changes nothing on screen.
    }
}

void WallpaperDetailViewModel::setAsDesktop()
{
    setAsDesktopAsync();
}

void WallpaperDetailViewModel::setAsLockScreen()
{
    setAsLockScreenAsync();
}

void WallpaperDetailViewModel::saveDownload()
{
    saveDownloadAsync();
}

QCoro::Task<void> WallpaperDetailViewModel::setAsDesktopAsync()
{
    return apply(Target::Desktop);
}

QCoro::Task<void> WallpaperDetailViewModel::setAsLockScreenAsync()
{
    return apply(Target::LockScreen);
}

WallpaperApplier &WallpaperDetailViewModel::applier()
{
    if (!m_applier)
        m_applier = new WallpaperApplier(m_engine, m_api, this);
    return *m_applier;
}

QCoro::Task<void> WallpaperDetailViewModel::apply(Target target)
{
    const CancellationToken alive = m_scopes.root();
    setSettingWallpaper(true);
    QString failure;
    bool failed = false;
    // Only a choice the sheet offers counts: a desktop with one picture for all gets it everywhere.
    const QString monitor = target == Target::Desktop && canChooseMonitor() && m_monitorChoice > 0
        ? m_screens[m_monitorChoice - 1].name : QString();
    try {
        // The applier owns the apply: closing the sheet does not end it, and a failure then
        // still reaches the user as a notification.
        co_await applier().applyWallpaper(m_wallpaper.id(),
                                          target == Target::Desktop ? WallpaperApplier::Target::Desktop
                                                                    : WallpaperApplier::Target::LockScreen,
                                          alive, monitor);
    } catch (const std::exception &e) {
        failed = true;
        failure = errorText(e);
    }
    if (alive->isCancelled())
        co_return;
    if (failed)
        fail(failure);
    else if (!monitor.isEmpty())
        succeed(QCoreApplication::translate("WallpaperDetailViewModel", "Desktop wallpaper set on %1!").arg(monitor));
    else
        succeed(target == Target::Desktop ? QCoreApplication::translate("WallpaperDetailViewModel", "Desktop wallpaper set successfully!")
                                          : QCoreApplication::translate("WallpaperDetailViewModel", "Lock screen wallpaper set successfully!"));
    setSettingWallpaper(false);
}

QNetworkAccessManager &WallpaperDetailViewModel::network()
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    return *m_network;
}

QCoro::Task<void> WallpaperDetailViewModel::saveDownloadAsync()
{
    const CancellationToken alive = m_scopes.root();
    WallpaperDownload download;
    try {
        download = co_await m_api.fetchDownloadInfo(m_wallpaper.id(), alive);
    } catch (const std::exception &e) {
        if (!alive->isCancelled())
            fail(errorText(e));
        co_return;
    }
    if (alive->isCancelled())
        co_return;
    const auto url = download.absoluteUrl();
    if (!url)
        co_return;

    FetchResult answer;
    try {
        answer = co_await HttpFetch::run(network(), QNetworkRequest(*url), "GET", {}, FetchLimits::picture(), alive);
    } catch (const std::exception &e) {
        if (!alive->isCancelled())
            fail(errorText(e));
        co_return;
    }
    if (alive->isCancelled())
        co_return;
    // An error page is not the wallpaper: only a whole 2xx body is saved.
    if (answer.status < 200 || answer.status > 299) {
        fail(WallpaperError::downloadFailed().description());
        co_return;
    }
    const QByteArray &body = answer.body;

    const QString folder = downloadsDirectory();
    const QString name = safeFileName(download.filename, m_wallpaper.id(), m_wallpaper.formatName());
    const QString path = QDir(folder).filePath(name);
    // Written beside the target and renamed into place, so an interrupted save never leaves a
    // truncated file under the final name.
    QSaveFile file(path);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(body) != body.size()
        || !file.commit()) {
        fail(QCoreApplication::translate("WallpaperDetailViewModel", "Could not save %1: %2").arg(path, file.errorString()));
        co_return;
    }
    LibraryViewModel::recordDownload(m_store.settings(), m_wallpaper.id(), path);
    succeed(QCoreApplication::translate("WallpaperDetailViewModel", "Saved to Downloads"));
}

void WallpaperDetailViewModel::succeed(const QString &message)
{
    if (m_successMessage != message) {
        m_successMessage = message;
        Q_EMIT successMessageChanged();
    }
    setShowSuccess(true);
}

void WallpaperDetailViewModel::fail(const QString &message)
{
    if (m_errorMessage != message) {
        m_errorMessage = message;
        Q_EMIT errorMessageChanged();
    }
    setShowError(true);
}

void WallpaperDetailViewModel::setFavorited(bool favorited)
{
    setIfChanged(m_isFavorited, favorited, this, &WallpaperDetailViewModel::isFavoritedChanged);
}

void WallpaperDetailViewModel::setSettingWallpaper(bool setting)
{
    setIfChanged(m_isSettingWallpaper, setting, this, &WallpaperDetailViewModel::isSettingWallpaperChanged);
}
