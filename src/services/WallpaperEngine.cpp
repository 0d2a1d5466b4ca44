// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/WallpaperEngine.h"

#include "models/AppError.h"
#include "platform/AccessibilityTrust.h"
#include "platform/AlwaysTrusted.h"
#include "platform/AppleScriptRunner.h"
#include "platform/AutoDesktopBackend.h"
#include "platform/DBusNotifier.h"
#include "platform/DesktopBackend.h"
#include "platform/DesktopServicesUrlOpener.h"
#include "platform/Notifier.h"
#include "platform/QProcessRunner.h"
#include "platform/UrlOpener.h"
#include "services/HttpFetch.h"

#include <QCoroNetworkReply>
#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QOperatingSystemVersion>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

QList<DesktopScreen> applicationScreens()
{
    QList<DesktopScreen> screens;
    const QList<QScreen *> all = QGuiApplication::screens();
    for (int i = 0; i < all.size(); ++i)
        screens.append(DesktopScreen{i, all[i]->name(), all[i] == QGuiApplication::primaryScreen()});
    return screens;
}

} // namespace

WallpaperEngine::WallpaperEngine(QObject *parent)
    : QObject(parent)
{
}

WallpaperEngine::WallpaperEngine(Collaborators collaborators, QObject *parent)
    : QObject(parent)
    , m(std::move(collaborators))
{
}

WallpaperEngine::LockScreenPath WallpaperEngine::lockScreenPathFor(const QString &productType, int majorVersion)
{
    if (productType != QLatin1String("macos"))
        return LockScreenPath::DesktopBackend;
    return majorVersion >= 14 ? LockScreenPath::MainScreen : LockScreenPath::SystemEventsScript;
}

WallpaperEngine &WallpaperEngine::shared()
{
    static WallpaperEngine *instance = [] {
        static QProcessRunner runner;
        Collaborators c;
        c.network = new QNetworkAccessManager;
        c.desktop = new AutoDesktopBackend(QDBusConnection::sessionBus(), qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), runner);
        c.notifier = new DBusNotifier;
        c.trust = new AlwaysTrusted; // Linux asks for no accessibility permission
        c.urlOpener = new DesktopServicesUrlOpener;
        c.screens = applicationScreens;
        c.lockScreenPath = lockScreenPathFor(QSysInfo::productType(), QOperatingSystemVersion::current().majorVersion());
        c.cachesRoot = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        return new WallpaperEngine(std::move(c));
    }();
    return *instance;
}

QString WallpaperEngine::wallpapersDirectory() const
{
    return m.cachesRoot + u"/Lumivane/Wallpapers"_s;
}

QString WallpaperEngine::safeFileName(const QUrl &url)
{
    QString name = url.fileName(QUrl::FullyDecoded);
    QString safe;
    for (QChar c : name)
        safe += (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control) ? u'_' : c;
    if (safe == QLatin1String(".") || safe == QLatin1String(".."))
        return {};
    return safe;
}

QCoro::Task<QString> WallpaperEngine::downloadWallpaper(QUrl remoteUrl, CancellationToken cancel)
{
    const QString directory = wallpapersDirectory();
    if (!QDir().mkpath(directory))
        throw FileError(u"The folder “%1” couldn’t be created."_s.arg(directory));

    QString name = safeFileName(remoteUrl);
    if (name.isEmpty())
        name = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + u".jpg"_s;
    const QString destination = directory + u'/' + name;
    if (QFileInfo::exists(destination))
        co_return destination;

    FetchLimits limits = FetchLimits::picture();
    limits.stallTimeoutMs = m.downloadTimeoutMs;
    const FetchResult answer = co_await HttpFetch::run(*m.network, QNetworkRequest(remoteUrl), "GET", {}, limits, cancel);
    if (answer.status < 200 || answer.status > 299)
        throw WallpaperError::downloadFailed(); // an error page, or not an HTTP answer at all

    // Written under a temporary name and renamed, so a crash never leaves a truncated file that
    // would be reused as if it were complete.
    QSaveFile file(destination);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(u"“%1” couldn’t be saved: %2"_s.arg(destination, file.errorString()));
    if (file.write(answer.body) != answer.body.size() || !file.commit())
        throw FileError(u"“%1” couldn’t be saved: %2"_s.arg(destination, file.errorString()));
    co_return destination;
}

QCoro::Task<void> WallpaperEngine::setDesktopWallpaper(QUrl remoteUrl, CancellationToken cancel)
{
    const QString file = co_await downloadWallpaper(remoteUrl, cancel);
    const QList<DesktopScreen> screens = m.screens ? m.screens() : QList<DesktopScreen>();
    if (screens.isEmpty())
        throw WallpaperError::noScreens();
    for (const DesktopScreen &screen : screens)
        co_await m.desktop->setDesktopImage(file, screen); // the first failure ends the loop
    postNotification(u"Wallpaper Set"_s, u"Desktop wallpaper has been updated"_s);
}

QCoro::Task<void> WallpaperEngine::setLockScreenWallpaper(QUrl remoteUrl, CancellationToken cancel)
{
    const QString file = co_await downloadWallpaper(remoteUrl, cancel);
    switch (m.lockScreenPath) {
    case LockScreenPath::MainScreen: {
        const QList<DesktopScreen> screens = m.screens ? m.screens() : QList<DesktopScreen>();
        auto main = std::find_if(screens.begin(), screens.end(), [](const DesktopScreen &s) { return s.primary; });
        if (main == screens.end())
            main = screens.begin();
        if (main == screens.end())
            throw WallpaperError::noScreens();
        co_await m.desktop->setDesktopImage(file, *main);
        break;
    }
    case LockScreenPath::SystemEventsScript: {
        if (!m.trust || !m.trust->isTrusted()) {
            if (m.trust)
                m.trust->prompt();
            throw WallpaperError::permissionDenied();
        }
        if (!m.scriptRunner)
            throw WallpaperError::setFailed(u"scripting System Events is not available"_s);
        if (const std::optional<QString> error = m.scriptRunner->run(lockScreenScript(file)))
            throw WallpaperError::setFailed(*error);
        break;
    }
    case LockScreenPath::DesktopBackend:
        co_await m.desktop->setLockScreenImage(file);
        break;
    }
    postNotification(u"Lock Screen Set"_s, u"Lock screen wallpaper has been updated"_s);
}

const QUrl &WallpaperEngine::accessibilitySettingsUrl()
{
    static const QUrl url(u"x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"_s);
    return url;
}

void WallpaperEngine::openAccessibilitySettings()
{
    // Linux has no accessibility permission to grant, so there is no pane to open.
    if (m.lockScreenPath == LockScreenPath::DesktopBackend || !m.urlOpener)
        return;
    if (accessibilitySettingsUrl().isValid())
        m.urlOpener->open(accessibilitySettingsUrl());
}

bool WallpaperEngine::isAccessibilityTrusted() const
{
    return !m.trust || m.trust->isTrusted();
}

void WallpaperEngine::postNotification(const QString &title, const QString &body)
{
    if (m.notifier)
        m.notifier->post(title, body);
}

QString WallpaperEngine::lockScreenScript(const QString &path)
{
    QString escaped = path;
    escaped.replace(u'\\', u"\\\\"_s).replace(u'"', u"\\\""_s);
    return u"tell application \"System Events\"\n    tell every desktop\n        set picture to \""_s + escaped
        + u"\"\n    end tell\nend tell"_s;
}
