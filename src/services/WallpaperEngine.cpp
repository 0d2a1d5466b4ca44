// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/WallpaperEngine.h"

#include "config/PreferenceKeys.h"
#include "config/SettingsStore.h"
#include "models/AppError.h"
#include "platform/macos/AccessibilityTrust.h"
#include "platform/macos/AppleScriptRunner.h"
#include "platform/AutoDesktopBackend.h"
#include "platform/DBusNotifier.h"
#include "platform/DesktopBackend.h"
#include "platform/DesktopServicesUrlOpener.h"
#include "platform/Notifier.h"
#include "platform/QProcessRunner.h"
#include "platform/UrlOpener.h"
#include "services/HttpFetch.h"
#include "services/SpannedPicture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCoroFuture>
#include <QCoroNetworkReply>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QOperatingSystemVersion>
#include <QPromise>
#include <QSaveFile>
#include <QScopeGuard>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThreadPool>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QList<DesktopScreen> applicationScreens()
{
    QList<DesktopScreen> screens;
    const QList<QScreen *> all = QGuiApplication::screens();
    for (int i = 0; i < all.size(); ++i)
        screens.append(DesktopScreen{i, all[i]->name(), all[i] == QGuiApplication::primaryScreen(),
                                     all[i]->geometry().size() * all[i]->devicePixelRatio(),
                                     all[i]->geometry().topLeft() * all[i]->devicePixelRatio()});
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

WallpaperEngine::Collaborators WallpaperEngine::systemCollaborators()
{
    static QProcessRunner runner;
    Collaborators c;
    c.network = new QNetworkAccessManager;
    c.desktop = new AutoDesktopBackend(BusConnection::session(), qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), runner);
    c.notifier = new DBusNotifier;
    c.urlOpener = new DesktopServicesUrlOpener;
    c.screens = applicationScreens;
    c.lockScreenPath = lockScreenPathFor(QSysInfo::productType(), QOperatingSystemVersion::current().majorVersion());
    c.cachesRoot = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    c.settings = &SettingsStore::shared();
    return c;
}

WallpaperEngine &WallpaperEngine::shared()
{
    static WallpaperEngine *instance = new WallpaperEngine(systemCollaborators());
    return *instance;
}

QString WallpaperEngine::wallpapersDirectory() const
{
    return m.cachesRoot + u"/Lumivane/Wallpapers"_s;
}

QString WallpaperEngine::spannedDirectory() const
{
    return m.cachesRoot + u"/Lumivane/Spanned"_s;
}

QString WallpaperEngine::localFileName(const QUrl &url)
{
    const QByteArray hash = QCryptographicHash::hash(url.toEncoded(), QCryptographicHash::Sha256).toHex().left(32);
    const QString last = url.fileName(QUrl::FullyDecoded);
    const qsizetype dot = last.lastIndexOf(u'.');
    QString extension = dot > 0 ? last.mid(dot + 1).toLower() : QString();
    const bool plain = !extension.isEmpty() && extension.size() <= 5
                       && std::all_of(extension.begin(), extension.end(),
                                      [](QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'); });
    if (!plain)
        extension = u"jpg"_s;
    return QString::fromLatin1(hash) + u'.' + extension;
}

QCoro::Task<bool> WallpaperEngine::decodesAsImage(QByteArray bytes)
{
    auto promise = std::make_shared<QPromise<bool>>();
    QFuture<bool> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, bytes] {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        // QImageReader refuses a picture larger than QImageReader::allocationLimit().
        const QSize size = reader.size();
        const bool ok = size.isValid() && !size.isEmpty() && !reader.read().isNull();
        promise->addResult(ok);
        promise->finish();
    });
    co_return co_await future;
}

void WallpaperEngine::recordInUse(const QString &key, const QStringList &files)
{
    if (!m.settings)
        return;
    m.settings->setValue(key, files);
    m.settings->sync(); // another process (Settings' Clear Cache) must see it
}

QStringList WallpaperEngine::inUse(const QString &key) const
{
    if (!m.settings)
        return {};
    m.settings->sync();
    return m.settings->value(key).toStringList();
}

QVariantMap WallpaperEngine::picturesByMonitor() const
{
    if (!m.settings)
        return {};
    m.settings->sync();
    return m.settings->value(PreferenceKeys::desktopPicturesByMonitor).toMap();
}

void WallpaperEngine::recordPicturesByMonitor(const QVariantMap &pictures)
{
    if (!m.settings)
        return;
    m.settings->setValue(PreferenceKeys::desktopPicturesByMonitor, pictures);
    m.settings->sync();
}

QCoro::Task<QString> WallpaperEngine::downloadWallpaper(QUrl remoteUrl, CancellationToken cancel)
{
    const QString directory = wallpapersDirectory();
    if (!QDir().mkpath(directory))
        throw FileError(QCoreApplication::translate("WallpaperEngine", "The folder “%1” couldn’t be created.").arg(directory));

    // Named after the whole URL: the same URL reuses its file, any other URL gets a new one, so
    // a desktop is always handed a new path for a new picture, and no file a desktop may show
    // is ever rewritten in place.
    const QString destination = directory + u'/' + localFileName(remoteUrl);
    if (QFileInfo::exists(destination))
        co_return destination;

    FetchLimits limits = FetchLimits::picture();
    limits.stallTimeoutMs = m.downloadTimeoutMs;
    if (m.downloadDeadlineMs > 0)
        limits.deadlineMs = m.downloadDeadlineMs;
    const FetchResult answer = co_await HttpFetch::run(*m.network, QNetworkRequest(remoteUrl), "GET", {}, limits, cancel);
    if (answer.status < 200 || answer.status > 299)
        throw WallpaperError::downloadFailed(); // an error page, or not an HTTP answer at all
    // A captive portal answers 200 with a page of its own: that is no picture for a desktop.
    const bool picture = co_await decodesAsImage(answer.body);
    if (!picture)
        throw WallpaperError::downloadFailed();
    if (cancel && cancel->isCancelled())
        throw TransportError(QCoreApplication::translate("WallpaperEngine", "Operation canceled"), int(QNetworkReply::OperationCanceledError));

    // Written under a temporary name and renamed, so a crash never leaves a truncated file that
    // would be reused as if it were complete.
    QSaveFile file(destination);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(u"“%1” couldn’t be saved: %2"_s.arg(destination, file.errorString()));
    if (file.write(answer.body) != answer.body.size() || !file.commit())
        throw FileError(u"“%1” couldn’t be saved: %2"_s.arg(destination, file.errorString()));
    co_return destination;
}

QCoro::Task<std::optional<DesktopCapabilities>> WallpaperEngine::capabilitiesToOffer()
{
    try {
        co_return co_await desktopCapabilities();
    } catch (const std::exception &) {
        co_return std::nullopt;
    }
}

QCoro::Task<DesktopCapabilities> WallpaperEngine::desktopCapabilities()
{
    if (!m.desktop)
        co_return DesktopCapabilities{};
    const DesktopCapabilities can = co_await m.desktop->capabilities();
    co_return can;
}

QList<DesktopScreen> WallpaperEngine::screens() const
{
    return m.screens ? m.screens() : QList<DesktopScreen>();
}

QCoro::Task<void> WallpaperEngine::setDesktopWallpaper(QUrl remoteUrl, CancellationToken cancel)
{
    co_await setDesktopWallpaperOn(remoteUrl, QString(), cancel);
}

QCoro::Task<void> WallpaperEngine::setDesktopWallpaperOn(QUrl remoteUrl, QString monitor, CancellationToken cancel)
{
    // Said before anything is downloaded.
    const DesktopCapabilities can = co_await desktopCapabilities();
    if (!can.desktopPicture)
        throw WallpaperError::setFailed(can.desktopPictureNote);
    QList<DesktopScreen> screens = this->screens();
    if (!monitor.isEmpty()) {
        if (!can.perMonitor)
            throw WallpaperError::setFailed(
                QCoreApplication::translate("WallpaperEngine", "%1 shows one picture on every monitor").arg(m.desktop ? m.desktop->name() : QCoreApplication::translate("WallpaperEngine", "this desktop")));
        const bool offscreen = screens.size() == 1 && screens.first().name.isEmpty();
        const auto named = std::find_if(screens.begin(), screens.end(), [&](const DesktopScreen &s) { return s.name == monitor; });
        if (named != screens.end()) {
            if (!can.spanned)
                screens = {*named};
        } else if (offscreen) {
            if (can.spanned)
                throw WallpaperError::setFailed(
                    QCoreApplication::translate("WallpaperEngine", "%1 lays one picture across all monitors, and without a display "
                                                                   "their places are unknown; choose the monitor in the app's window")
                        .arg(m.desktop->name()));
            screens = {DesktopScreen{-1, monitor, true}}; // known by name only
        } else {
            QStringList names;
            for (const DesktopScreen &s : screens)
                names << s.name;
            throw WallpaperError::setFailed(u"there is no monitor named “%1” (there are: %2)"_s.arg(monitor, names.join(u", "_s)));
        }
        if (can.spanned) {
            QList<SpannedPicture::Part> places;
            for (const DesktopScreen &screen : std::as_const(screens))
                places.append({QRect(screen.origin, screen.size), QString()});
            if (const QString reason = SpannedPicture::refusal(places); !reason.isEmpty())
                throw WallpaperError::setFailed(reason);
        }
    }
    const QString file = co_await downloadWallpaper(remoteUrl, cancel);
    if (screens.isEmpty())
        throw WallpaperError::noScreens();
    if (can.spanned && !monitor.isEmpty()) {
        co_await setSpanned(file, monitor, screens);
        postNotification(QCoreApplication::translate("WallpaperEngine", "Wallpaper Set"),
                         QCoreApplication::translate("WallpaperEngine", "Desktop wallpaper has been updated"));
        co_return;
    }
    if (can.spanned) {
        // After a composition still running, or it would end up shown instead of this picture.
        const QFuture<void> composing = m_spanning;
        if (!composing.isFinished())
            co_await composing;
    }
    // Until every screen has it, the screens may show the old picture or the new one.
    QStringList shown = inUse(PreferenceKeys::desktopPictureFiles);
    if (!shown.contains(file))
        recordInUse(PreferenceKeys::desktopPictureFiles, shown << file);
    for (const DesktopScreen &screen : screens)
        co_await m.desktop->setDesktopImage(file, screen); // the first failure ends the loop
    recordInUse(PreferenceKeys::desktopPictureFiles, {file});
    if (can.spanned) {
        // The same picture everywhere again: each monitor starts over from it.
        recordPicturesByMonitor({{QString(), file}});
        SpannedPicture::removeOthers(spannedDirectory(), QString());
    }
    postNotification(QCoreApplication::translate("WallpaperEngine", "Wallpaper Set"),
                     QCoreApplication::translate("WallpaperEngine", "Desktop wallpaper has been updated"));
}

QCoro::Task<void> WallpaperEngine::setSpanned(QString file, QString monitor, QList<DesktopScreen> screens)
{
    // One composition at a time: two started together would each miss the other's monitor.
    const QFuture<void> before = m_spanning;
    auto turn = std::make_shared<QPromise<void>>();
    turn->start();
    m_spanning = turn->future();
    const auto release = qScopeGuard([turn] { turn->finish(); });
    if (!before.isFinished())
        co_await before;

    QVariantMap pictures = picturesByMonitor();
    pictures[monitor] = file;
    // A monitor never given a picture of its own shows the one last applied to all, and before
    // any, this one.
    const auto pictureOf = [&](const QString &name) {
        for (const QString &candidate : {pictures.value(name).toString(), pictures.value(QString()).toString()}) {
            if (!candidate.isEmpty() && QFileInfo::exists(candidate))
                return candidate;
        }
        return file;
    };
    QList<SpannedPicture::Part> parts;
    for (const DesktopScreen &screen : screens)
        parts.append({QRect(screen.origin, screen.size), pictureOf(screen.name)});
    const QString composed = co_await SpannedPicture::write(parts, spannedDirectory());

    // Every remembered picture stays through Clear Cache: the next composition needs them.
    QStringList shown;
    for (const QVariant &picture : std::as_const(pictures))
        shown << picture.toString();
    shown << composed;
    shown.removeDuplicates();
    // Until the desktop has it, it may still show what it showed before.
    QStringList meanwhile = inUse(PreferenceKeys::desktopPictureFiles) + shown;
    meanwhile.removeDuplicates();
    recordInUse(PreferenceKeys::desktopPictureFiles, meanwhile);
    co_await m.desktop->setSpanningImage(composed);

    recordPicturesByMonitor(pictures);
    recordInUse(PreferenceKeys::desktopPictureFiles, shown);
    SpannedPicture::removeOthers(spannedDirectory(), composed);
}

QCoro::Task<void> WallpaperEngine::setLockScreenWallpaper(QUrl remoteUrl, CancellationToken cancel)
{
    if (m.lockScreenPath == LockScreenPath::DesktopBackend) {
        // Said before anything is downloaded: a desktop that never shows one gets nothing.
        const DesktopCapabilities can = co_await desktopCapabilities();
        if (!can.lockScreenPicture)
            throw WallpaperError::setFailed(can.lockScreenNote);
    }
    const QString file = co_await downloadWallpaper(remoteUrl, cancel);
    const bool mainScreen = m.lockScreenPath == LockScreenPath::MainScreen;
    const QString key = mainScreen ? PreferenceKeys::desktopPictureFiles : PreferenceKeys::lockScreenPictureFiles;
    QStringList shown = inUse(key);
    if (!shown.contains(file))
        recordInUse(key, shown << file);
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
    if (!mainScreen)
        recordInUse(key, {file});
    postNotification(QCoreApplication::translate("WallpaperEngine", "Lock Screen Set"),
                     QCoreApplication::translate("WallpaperEngine", "Lock screen wallpaper has been updated"));
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

void WallpaperEngine::waitForNotifications(int timeoutMs)
{
    if (m.notifier)
        m.notifier->waitForDelivery(timeoutMs);
}

QString WallpaperEngine::lockScreenScript(const QString &path)
{
    QString escaped = path;
    escaped.replace(u'\\', u"\\\\"_s).replace(u'"', u"\\\""_s);
    return u"tell application \"System Events\"\n    tell every desktop\n        set picture to \""_s + escaped
        + u"\"\n    end tell\nend tell"_s;
}
