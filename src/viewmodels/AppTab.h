// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <optional>

// The main tabs. The raw value is also the title shown in the tab switcher.
enum class AppTab { home, explore, library, upload };

inline const QList<AppTab> &allAppTabs()
{
    static const QList<AppTab> all{AppTab::home, AppTab::explore, AppTab::library, AppTab::upload};
    return all;
}

inline QString rawValue(AppTab tab)
{
    switch (tab) {
    case AppTab::home: return QStringLiteral("Home");
    case AppTab::explore: return QStringLiteral("Explore");
    case AppTab::library: return QStringLiteral("Library");
    case AppTab::upload: return QStringLiteral("Upload");
    }
    return {};
}

// Exact, case-sensitive match; any other string is no tab.
inline std::optional<AppTab> appTabFromRawValue(const QString &raw)
{
    for (AppTab tab : allAppTabs()) {
        if (rawValue(tab) == raw)
            return tab;
    }
    return std::nullopt;
}
