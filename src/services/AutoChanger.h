// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Wallpaper.h"

#include <QCoroTask>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class APIClient;
class NetworkState;
class Notifier;
class QSettings;
class WallpaperEngine;

// One automatic wallpaper change: picks the next wallpaper of the chosen source without
// repeating one until the source is used up (the order is kept in the settings, across runs),
// skips one that fails to download, applies it to the desktop (and the lock screen when that
// is enabled), notifies, and records the outcome for Settings.
//
// Sources, as stored: "favorites", "newest", "popular", "category:<id>"; nothing stored means
// the favourites when there are any, else the newest.
class AutoChanger : public QObject
{
    Q_OBJECT

public:
    enum class Status { changed, empty, metered, offline, failed };
    struct Outcome {
        Status status = Status::failed;
        QString text; // in words, as Settings shows it
        QString wallpaperId;
    };

    struct Collaborators {
        APIClient *api = nullptr;        // not owned
        WallpaperEngine *engine = nullptr; // not owned; posts no notification of its own
        QSettings *settings = nullptr;   // not owned
        Notifier *notifier = nullptr;    // not owned; may be null
        NetworkState *network = nullptr; // not owned; may be null (always online, unmetered)
        // Pixel sizes of the screens, used when the settings hold none.
        std::function<QList<QSize>()> displaySizes;
        // A number in [0, bound): which of the remaining wallpapers comes next.
        std::function<int(int bound)> random;
    };

    explicit AutoChanger(Collaborators collaborators, QObject *parent = nullptr);

    QCoro::Task<Outcome> changeNow();

    // The source that applies when `stored` is what the settings hold.
    static QString effectiveSource(const QString &stored, bool haveFavorites);
    // Whether a picture of `size` fills every display without much cropping: at least as large
    // in both directions, aspect within 25 %.
    static bool fitsDisplays(QSize size, const QList<QSize> &displays);
    // The wallpapers of `pool` not yet shown in this round, never the one on the desktop now
    // (unless it is all there is), so a new round does not begin with the last one shown.
    static QList<Wallpaper> remaining(const QList<Wallpaper> &pool, const QStringList &shown, const QString &current);

    // Most wallpapers a catalogue source takes into a round.
    static constexpr int poolLimit = 300;

private:
    QCoro::Task<QList<Wallpaper>> pool(QString source);
    QList<QSize> displays() const;
    Outcome finish(Outcome outcome);

    Collaborators m;
};
