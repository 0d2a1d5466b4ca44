// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/AutoChanger.h"

#include "config/PreferenceKeys.h"
#include "models/AppError.h"
#include "platform/NetworkState.h"
#include "platform/Notifier.h"
#include "services/APIClient.h"
#include "services/WallpaperEngine.h"

#include <QPointer>
#include <QRandomGenerator>
#include <QSet>
#include <QSettings>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

AutoChanger::AutoChanger(Collaborators collaborators, QObject *parent)
    : QObject(parent)
    , m(std::move(collaborators))
{
    if (!m.random)
        m.random = [](int bound) { return int(QRandomGenerator::global()->bounded(bound)); };
}

QString AutoChanger::effectiveSource(const QString &stored, bool haveFavorites)
{
    if (stored == "favorites"_L1 || stored == "newest"_L1 || stored == "popular"_L1
        || (stored.startsWith("category:"_L1) && stored.size() > 9))
        return stored;
    return haveFavorites ? u"favorites"_s : u"newest"_s;
}

bool AutoChanger::fitsDisplays(QSize size, const QList<QSize> &displays)
{
    for (const QSize &display : displays) {
        if (display.isEmpty())
            continue;
        if (size.width() < display.width() || size.height() < display.height())
            return false;
        const double ratio = (double(size.width()) / size.height()) / (double(display.width()) / display.height());
        if (std::abs(ratio - 1.0) > 0.25)
            return false;
    }
    return true;
}

QList<Wallpaper> AutoChanger::remaining(const QList<Wallpaper> &pool, const QStringList &shown, const QString &current)
{
    const QSet<QString> seen(shown.begin(), shown.end());
    QList<Wallpaper> left;
    for (const Wallpaper &w : pool)
        if (!seen.contains(w.id()) && (w.id() != current || pool.size() == 1))
            left.append(w);
    return left;
}

QList<QSize> AutoChanger::displays() const
{
    QList<QSize> sizes;
    const QStringList stored = m.settings->value(PreferenceKeys::autoChangeDisplaySizes).toStringList();
    for (const QString &text : stored) {
        const QStringList parts = text.split(u'x');
        if (parts.size() == 2 && parts[0].toInt() > 0 && parts[1].toInt() > 0)
            sizes.append(QSize(parts[0].toInt(), parts[1].toInt()));
    }
    if (sizes.isEmpty() && m.displaySizes)
        sizes = m.displaySizes();
    return sizes;
}

QCoro::Task<QList<Wallpaper>> AutoChanger::pool(QString source)
{
    QList<Wallpaper> wallpapers;
    if (source == "favorites"_L1) {
        const QStringList ids = m.settings->value(PreferenceKeys::favoriteIds).toStringList();
        QSet<QString> seen;
        for (const QString &id : ids) {
            if (seen.contains(id))
                continue;
            seen.insert(id);
            try {
                Wallpaper w = co_await m.api->fetchWallpaper(id);
                wallpapers.append(std::move(w));
            } catch (const APIError &) {
                // A favourite the catalogue no longer has is left out of the round.
            }
        }
        co_return wallpapers;
    }
    std::optional<QString> category;
    std::optional<QString> sort;
    if (source.startsWith("category:"_L1))
        category = source.mid(9);
    else
        sort = source;
    QSet<QString> seen;
    for (int page = 1; wallpapers.size() < poolLimit; ++page) {
        const PaginatedResponse<Wallpaper> answer = co_await m.api->fetchWallpapers(page, 100, category, sort);
        for (const Wallpaper &w : answer.data) {
            if (!seen.contains(w.id()) && wallpapers.size() < poolLimit) {
                seen.insert(w.id());
                wallpapers.append(w);
            }
        }
        if (answer.data.isEmpty() || !answer.pagination || page >= answer.pagination->totalPages.value_or(page))
            break;
    }
    co_return wallpapers;
}

AutoChanger::Outcome AutoChanger::finish(Outcome outcome)
{
    m.settings->setValue(PreferenceKeys::autoChangeLastRun, QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    m.settings->setValue(PreferenceKeys::autoChangeLastResult, outcome.text);
    m.settings->setValue(PreferenceKeys::autoChangeLastFailed, outcome.status != Status::changed);
    m.settings->sync();
    return outcome;
}

QCoro::Task<AutoChanger::Outcome> AutoChanger::changeNow()
{
    QPointer<AutoChanger> self(this);
    m.settings->sync(); // another process (the window's Settings) may have changed the choice
    if (m.network && m.network->isMetered())
        co_return finish({Status::metered, tr("Not changed: the connection is metered"), {}});

    const bool haveFavorites = !m.settings->value(PreferenceKeys::favoriteIds).toStringList().isEmpty();
    const QString source = effectiveSource(m.settings->value(PreferenceKeys::autoChangeSource).toString(), haveFavorites);
    QList<Wallpaper> candidates;
    try {
        candidates = co_await pool(source);
    } catch (const TransportError &e) {
        if (!self)
            co_return Outcome{};
        co_return finish({Status::offline, tr("Not changed: %1").arg(e.description()), {}});
    } catch (const AppError &e) {
        if (!self)
            co_return Outcome{};
        co_return finish({Status::failed, tr("Not changed: %1").arg(e.description()), {}});
    }
    if (!self)
        co_return Outcome{};
    if (m.settings->value(PreferenceKeys::autoChangeFitDisplays, false).toBool()) {
        const QList<QSize> sizes = displays();
        QList<Wallpaper> fitting;
        for (const Wallpaper &w : candidates)
            if (fitsDisplays(QSize(w.width(), w.height()), sizes))
                fitting.append(w);
        candidates = fitting;
    }
    if (candidates.isEmpty())
        co_return finish({Status::empty, tr("Not changed: there are no wallpapers to choose from"), {}});

    // The round belongs to one source: another choice starts a new one.
    QStringList shown = m.settings->value(PreferenceKeys::autoChangeShownIds).toStringList();
    if (m.settings->value(PreferenceKeys::autoChangeShownSource).toString() != source)
        shown.clear();
    const QString current = m.settings->value(PreferenceKeys::autoChangeCurrentId).toString();
    const QSet<QString> seen(shown.begin(), shown.end());
    if (std::all_of(candidates.begin(), candidates.end(), [&](const Wallpaper &w) { return seen.contains(w.id()); }))
        shown.clear(); // everything was shown: a new round starts
    QList<Wallpaper> left = remaining(candidates, shown, current);
    const auto remember = [&] {
        m.settings->setValue(PreferenceKeys::autoChangeShownIds, shown);
        m.settings->setValue(PreferenceKeys::autoChangeShownSource, source);
        m.settings->sync();
    };

    QString lastError;
    QStringList failed;
    bool restarted = false;
    while (true) {
        if (left.isEmpty()) {
            // The rest of the round failed: one new round with whatever did not fail just now.
            if (restarted)
                break;
            restarted = true;
            shown = failed;
            left = remaining(candidates, shown, current);
            if (left.isEmpty())
                break;
        }
        const Wallpaper next = left.takeAt(m.random(int(left.size())));
        QUrl url;
        QString error;
        try {
            const WallpaperDownload download = co_await m.api->fetchDownloadInfo(next.id());
            const std::optional<QUrl> absolute = download.absoluteUrl();
            if (!absolute)
                throw APIError::invalidResponse();
            url = *absolute;
        } catch (const TransportError &e) {
            if (!self)
                co_return Outcome{};
            co_return finish({Status::offline, tr("Not changed: %1").arg(e.description()), {}});
        } catch (const AppError &e) {
            error = e.description();
        }
        if (!self)
            co_return Outcome{};
        if (error.isEmpty()) {
            try {
                co_await m.engine->downloadWallpaper(url); // the apply below reuses the file
            } catch (const AppError &e) {
                error = e.description();
            }
            if (!self)
                co_return Outcome{};
        }
        if (!error.isEmpty()) {
            // Counted as shown, so a broken one is not tried again in this round.
            lastError = error;
            failed.append(next.id());
            shown.append(next.id());
            remember();
            continue;
        }
        try {
            co_await m.engine->setDesktopWallpaper(url); // the file is already there
        } catch (const AppError &e) {
            if (!self)
                co_return Outcome{};
            co_return finish({Status::failed, tr("Not changed: %1").arg(e.description()), {}});
        }
        if (!self)
            co_return Outcome{};
        shown.append(next.id());
        remember();
        m.settings->setValue(PreferenceKeys::autoChangeCurrentId, next.id());
        QString text = tr("Changed to “%1”").arg(next.title());
        if (m.settings->value(PreferenceKeys::lockScreenEnabled, false).toBool()) {
            try {
                co_await m.engine->setLockScreenWallpaper(url);
            } catch (const AppError &e) {
                if (!self)
                    co_return Outcome{};
                text += u"; "_s + tr("lock screen not changed: %1").arg(e.description());
            }
            if (!self)
                co_return Outcome{};
        }
        if (m.notifier && m.settings->value(PreferenceKeys::autoChangeNotify, true).toBool())
            m.notifier->post(tr("Wallpaper changed"), next.title());
        co_return finish({Status::changed, text, next.id()});
    }
    co_return finish({Status::failed, tr("Not changed: no wallpaper of the source could be downloaded (%1)").arg(lastError), {}});
}
