#include "WallpaperEngine.h"

#include "AccessibilityTrust.h"
#include "AlwaysTrusted.h"
#include "AppError.h"
#include "DBusNotifier.h"
#include "DesktopBackend.h"
#include "DesktopServicesUrlOpener.h"
#include "GSettingsDesktopBackend.h"
#include "Notifier.h"
#include "UrlOpener.h"

#include <QCoroNetworkReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QUuid>

namespace {
// Stands in when no desktop we know how to drive is running: every attempt fails with a
// message that says what is supported.
class UnsupportedDesktop : public DesktopBackend
{
public:
    explicit UnsupportedDesktop(QString desktop)
        : m_desktop(std::move(desktop))
    {
    }
    QString name() const override { return QStringLiteral("none"); }
    QCoro::Task<void> setDesktopImage(QString, DesktopScreen) override { throw error(); co_return; }
    QCoro::Task<void> setLockScreenImage(QString) override { throw error(); co_return; }

private:
    WallpaperError error() const
    {
        return WallpaperError::setFailed(
            QStringLiteral("the desktop “%1” is not supported (supported: GNOME, Unity, Budgie, Pantheon, Cinnamon, MATE)")
                .arg(m_desktop.isEmpty() ? QStringLiteral("unknown") : m_desktop));
    }
    QString m_desktop;
};

DesktopBackend *chooseDesktopBackend()
{
    const QString desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    const QStringList names = desktops.toLower().split(u':', Qt::SkipEmptyParts);
    auto has = [&](const char *name) { return names.contains(QLatin1String(name)); };
    const auto available = [](const GSettingsDesktopBackend::Flavour &f) {
        return GSettingsDesktopBackend::schemaInstalled(f.schema);
    };
    if (has("x-cinnamon") || has("cinnamon")) {
        if (available(GSettingsDesktopBackend::cinnamon()))
            return new GSettingsDesktopBackend(GSettingsDesktopBackend::cinnamon());
    } else if (has("mate")) {
        if (available(GSettingsDesktopBackend::mate()))
            return new GSettingsDesktopBackend(GSettingsDesktopBackend::mate());
    } else if (has("unity") || has("budgie") || has("pantheon")) {
        auto flavour = GSettingsDesktopBackend::gnomeCompatible(names.first());
        if (available(flavour))
            return new GSettingsDesktopBackend(flavour);
    } else if (has("gnome") || has("gnome-classic") || has("ubuntu")) {
        if (available(GSettingsDesktopBackend::gnome()))
            return new GSettingsDesktopBackend(GSettingsDesktopBackend::gnome());
    }
    return new UnsupportedDesktop(desktops);
}

QList<DesktopScreen> applicationScreens()
{
    QList<DesktopScreen> screens;
    const QList<QScreen *> all = QGuiApplication::screens();
    for (int i = 0; i < all.size(); ++i)
        screens.append(DesktopScreen{i, all[i]->name(), all[i] == QGuiApplication::primaryScreen()});
    return screens;
}

struct ReplyDeleter {
    void operator()(QNetworkReply *reply) const
    {
        if (reply)
            reply->deleteLater();
    }
};
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

WallpaperEngine &WallpaperEngine::shared()
{
    static WallpaperEngine *instance = [] {
        Collaborators c;
        c.network = new QNetworkAccessManager;
        c.desktop = chooseDesktopBackend();
        c.notifier = new DBusNotifier;
        c.trust = new AlwaysTrusted; // Linux asks for no accessibility permission
        c.urlOpener = new DesktopServicesUrlOpener;
        c.screens = applicationScreens;
        c.cachesRoot = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        return new WallpaperEngine(std::move(c));
    }();
    return *instance;
}

QString WallpaperEngine::wallpapersDirectory() const
{
    return m.cachesRoot + QStringLiteral("/Lumivane/Wallpapers");
}

QString WallpaperEngine::safeFileName(const QUrl &url)
{
    QString name = url.fileName(QUrl::FullyDecoded);
    name.replace(u'/', u'_').replace(u'\\', u'_').remove(QChar(0));
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    return name;
}

QCoro::Task<QString> WallpaperEngine::downloadWallpaper(QUrl remoteURL, CancellationToken cancel)
{
    const QString directory = wallpapersDirectory();
    if (!QDir().mkpath(directory))
        throw FileError(QStringLiteral("“%1” couldn’t be created.").arg(directory));

    QString name = safeFileName(remoteURL);
    if (name.isEmpty())
        name = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".jpg");
    const QString destination = directory + u'/' + name;
    if (QFileInfo::exists(destination))
        co_return destination;

    QNetworkRequest request(remoteURL);
    request.setTransferTimeout(m.downloadTimeoutMs);
    std::unique_ptr<QNetworkReply, ReplyDeleter> reply(m.network->get(request));
    if (cancel)
        cancel->track(reply.get());
    co_await reply.get();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (reply->error() != QNetworkReply::NoError && (!status.isValid() || int(reply->error()) < 200))
        throw TransportError(reply->errorString(), int(reply->error()));
    if (!status.isValid() || status.toInt() < 200 || status.toInt() > 299)
        throw WallpaperError::downloadFailed();

    // Written under a temporary name and renamed, so a crash never leaves a truncated file that
    // would be reused as if it were complete.
    QSaveFile file(destination);
    if (!file.open(QIODevice::WriteOnly) || file.write(reply->readAll()) < 0 || !file.commit())
        throw FileError(QStringLiteral("“%1” couldn’t be saved: %2").arg(destination, file.errorString()));
    co_return destination;
}

QCoro::Task<void> WallpaperEngine::setDesktopWallpaper(QUrl remoteURL, CancellationToken cancel)
{
    const QString file = co_await downloadWallpaper(remoteURL, cancel);
    const QList<DesktopScreen> screens = m.screens ? m.screens() : QList<DesktopScreen>();
    if (screens.isEmpty())
        throw WallpaperError::noScreens();
    if (m.desktop->perScreen()) {
        for (const DesktopScreen &screen : screens)
            co_await m.desktop->setDesktopImage(file, screen); // the first failure ends the loop
    } else {
        co_await m.desktop->setDesktopImage(file, screens.first()); // one setting serves every screen
    }
    postNotification(QStringLiteral("Wallpaper Set"), QStringLiteral("Desktop wallpaper has been updated"));
}

QCoro::Task<void> WallpaperEngine::setLockScreenWallpaper(QUrl remoteURL, CancellationToken cancel)
{
    const QString file = co_await downloadWallpaper(remoteURL, cancel);
    if (m.trust && !m.trust->isTrusted()) {
        m.trust->prompt();
        throw WallpaperError::permissionDenied();
    }
    co_await m.desktop->setLockScreenImage(file);
    postNotification(QStringLiteral("Lock Screen Set"), QStringLiteral("Lock screen wallpaper has been updated"));
}

void WallpaperEngine::openAccessibilitySettings()
{
    // There is no accessibility permission to grant on Linux; nothing to open.
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
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return QStringLiteral("tell application \"System Events\"\n    tell every desktop\n        set picture to \"") + escaped
        + QStringLiteral("\"\n    end tell\nend tell");
}
