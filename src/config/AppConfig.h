// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <optional>

// Fixed sizes of the window and panels, in points, and the automatic-change intervals.
namespace AppConfig {

inline constexpr int minWindowWidth = 1100;
inline constexpr int minWindowHeight = 720;
inline constexpr int defaultWindowWidth = 1280;
inline constexpr int defaultWindowHeight = 800;
inline constexpr int heroHeight = 520;
inline constexpr int settingsSheetWidth = 520;
inline constexpr int settingsSheetHeight = 600;
inline constexpr int uploadContentWidth = 500;
inline constexpr int uploadImageHeight = 330;

// The views' image disk cache: its folder under GenericCacheLocation (beside Lumivane/, not in
// it) and its size limit (500 MiB).
inline const QString imageCacheFolderName = QStringLiteral("lumivane-images");
inline constexpr qint64 imageDiskCacheBytes = 524'288'000;

// Raw value is the number of minutes, which is what the preference stores.
enum class ChangeInterval : int {
    fifteenMinutes = 15,
    thirtyMinutes = 30,
    oneHour = 60,
    twoHours = 120,
    fourHours = 240,
    daily = 1440,
};

inline const QList<ChangeInterval> &allChangeIntervals()
{
    static const QList<ChangeInterval> all{ChangeInterval::fifteenMinutes, ChangeInterval::thirtyMinutes,
                                           ChangeInterval::oneHour,        ChangeInterval::twoHours,
                                           ChangeInterval::fourHours,      ChangeInterval::daily};
    return all;
}

inline constexpr int rawValue(ChangeInterval interval) { return static_cast<int>(interval); }

inline std::optional<ChangeInterval> changeIntervalFromRawValue(int minutes)
{
    for (ChangeInterval interval : allChangeIntervals()) {
        if (rawValue(interval) == minutes)
            return interval;
    }
    return std::nullopt;
}

inline QString displayName(ChangeInterval interval)
{
    switch (interval) {
    case ChangeInterval::fifteenMinutes: return QCoreApplication::translate("AppConfig", "15 minutes");
    case ChangeInterval::thirtyMinutes: return QCoreApplication::translate("AppConfig", "30 minutes");
    case ChangeInterval::oneHour: return QCoreApplication::translate("AppConfig", "1 hour");
    case ChangeInterval::twoHours: return QCoreApplication::translate("AppConfig", "2 hours");
    case ChangeInterval::fourHours: return QCoreApplication::translate("AppConfig", "4 hours");
    case ChangeInterval::daily: return QCoreApplication::translate("AppConfig", "Daily");
    }
    return {};
}

} // namespace AppConfig
