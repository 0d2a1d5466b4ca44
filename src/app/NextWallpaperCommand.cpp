// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NextWallpaperCommand.h"

#include "config/PreferenceKeys.h"
#include "config/SettingsStore.h"
#include "platform/GioNetworkState.h"
#include "platform/Notifier.h"
#include "services/APIClient.h"
#include "services/AutoChangeSchedule.h"
#include "services/AutoChanger.h"
#include "services/WallpaperEngine.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QLockFile>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Screens a person looks at; the offscreen platform of a timer run has none worth measuring.
QList<QSize> screenPixelSizes()
{
    QList<QSize> sizes;
    if (QGuiApplication::platformName() == "offscreen"_L1)
        return sizes;
    for (QScreen *screen : QGuiApplication::screens())
        sizes.append(screen->size() * screen->devicePixelRatio());
    return sizes;
}

int intervalMinutes(QSettings &settings)
{
    const int minutes = settings.value(PreferenceKeys::changeIntervalMinutes, 0).toInt();
    return minutes > 0 ? minutes : PreferenceKeys::defaultChangeIntervalMinutes;
}

// The changer with an engine of its own that posts nothing: the automatic change says
// "Wallpaper changed" with the title instead of the engine's own message.
struct Changer {
    Changer()
    {
        if (qEnvironmentVariableIsEmpty("XDG_CURRENT_DESKTOP")) {
            const QString desktop = SettingsStore::shared().value(PreferenceKeys::sessionDesktop).toString();
            if (!desktop.isEmpty())
                qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());
        }
        WallpaperEngine::Collaborators c = WallpaperEngine::systemCollaborators();
        notifier = c.notifier;
        c.notifier = nullptr;
        engine = std::make_unique<WallpaperEngine>(std::move(c));
        AutoChanger::Collaborators a;
        a.api = &APIClient::shared();
        a.engine = engine.get();
        a.settings = &SettingsStore::shared();
        a.notifier = notifier;
        a.network = &network;
        a.displaySizes = screenPixelSizes;
        changer = std::make_unique<AutoChanger>(std::move(a));
    }

    AutoChanger::Outcome runOnce()
    {
        QEventLoop loop;
        AutoChanger::Outcome outcome;
        auto task = [&]() -> QCoro::Task<void> {
            outcome = co_await changer->changeNow();
            loop.quit();
        }();
        if (!task.isReady())
            loop.exec();
        return outcome;
    }

    // One change; a change missed because the service cannot be reached is tried again when the
    // system reports a change of network, and each minute, for at most one interval (then the
    // next one is due anyway).
    AutoChanger::Outcome run()
    {
        QDeadlineTimer deadline(qint64(intervalMinutes(SettingsStore::shared())) * 60'000);
        AutoChanger::Outcome outcome = runOnce();
        while (outcome.status == AutoChanger::Status::offline && !deadline.hasExpired()) {
            network.waitForNetwork(int(std::min<qint64>(60'000, deadline.remainingTime())));
            outcome = runOnce();
        }
        return outcome;
    }

    GioNetworkState network;
    Notifier *notifier = nullptr;
    std::unique_ptr<WallpaperEngine> engine;
    std::unique_ptr<AutoChanger> changer;
};

} // namespace

int runNextWallpaperCommand()
{
    Changer changer;
    const AutoChanger::Outcome outcome = changer.run();
    if (changer.notifier)
        changer.notifier->waitForDelivery(5000);
    const bool fine = outcome.status == AutoChanger::Status::changed || outcome.status == AutoChanger::Status::metered;
    std::fprintf(fine ? stdout : stderr, "%s%s\n", fine ? "" : "lumivane: ", qPrintable(outcome.text));
    return fine ? 0 : 1;
}

int runBackgroundMode()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(runtime);
    QLockFile lock(runtime + u"/lumivane-background.lock"_s);
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0))
        return 0; // another one already keeps the schedule

    QSettings &settings = SettingsStore::shared();
    Changer changer;
    QEventLoop loop;
    QTimer tick; // the change falls due on a minute
    QDateTime due;
    int dueMinutes = 0;
    bool running = false;
    const auto check = [&] {
        if (running)
            return;
        settings.sync();
        if (!settings.value(PreferenceKeys::autoChangeWallpaper, false).toBool()) {
            loop.quit();
            return;
        }
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime lastRun = QDateTime::fromString(settings.value(PreferenceKeys::autoChangeLastRun).toString(), Qt::ISODate);
        const int minutes = intervalMinutes(settings);
        if (!due.isValid()) {
            // A change missed while nothing ran happens soon after the start, as the timer's would.
            const bool missed = !lastRun.isValid() || lastRun.secsTo(now) >= qint64(minutes) * 60;
            due = missed ? now : AutoChangeSchedule::nextChange(now, minutes, lastRun);
        } else if (minutes != dueMinutes) { // re-timed in Settings
            due = AutoChangeSchedule::nextChange(now, minutes, lastRun);
        }
        dueMinutes = minutes;
        if (now < due)
            return;
        running = true;
        changer.run();
        running = false;
        due = AutoChangeSchedule::nextChange(QDateTime::currentDateTime(), minutes, QDateTime::currentDateTime());
    };
    QObject::connect(&tick, &QTimer::timeout, &loop, check);
    tick.start(60'000);
    // Settings writes its file anew (a rename): watching the folder sees the switch go off at once.
    QFileSystemWatcher watcher({QFileInfo(settings.fileName()).absolutePath()});
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &loop, check);
    QTimer::singleShot(0, &loop, check);
    loop.exec();
    return 0;
}
