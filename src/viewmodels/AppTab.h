// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <optional>

// The main tabs; QML names them AppTab.Home, AppTab.Explore, … The raw value is the English
// title shown in the tab switcher.
namespace AppTabs {
Q_NAMESPACE
QML_NAMED_ELEMENT(AppTab)

enum class AppTab { Home, Explore, Library, Upload };
Q_ENUM_NS(AppTab)
} // namespace AppTabs

using AppTab = AppTabs::AppTab;

inline const QList<AppTab> &allAppTabs()
{
    static const QList<AppTab> all{AppTab::Home, AppTab::Explore, AppTab::Library, AppTab::Upload};
    return all;
}

inline QString rawValue(AppTab tab)
{
    switch (tab) {
    case AppTab::Home: return QStringLiteral("Home");
    case AppTab::Explore: return QStringLiteral("Explore");
    case AppTab::Library: return QStringLiteral("Library");
    case AppTab::Upload: return QStringLiteral("Upload");
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
