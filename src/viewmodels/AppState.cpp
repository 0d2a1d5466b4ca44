// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/AppState.h"
#include "services/APIClient.h"
#include "services/WallpaperEngine.h"
#include "viewmodels/WallpaperApplier.h"

AppState::AppState(QObject *parent)
    : QObject(parent)
{
}

AppState &AppState::shared()
{
    static AppState *instance = new AppState; // lives to the end of the process
    return *instance;
}

AppState *AppState::create(QQmlEngine *, QJSEngine *)
{
    AppState *state = &shared();
    QJSEngine::setObjectOwnership(state, QJSEngine::CppOwnership);
    return state;
}

void AppState::setCurrentTab(AppTab tab)
{
    if (tab == m_currentTab)
        return;
    m_currentTab = tab;
    Q_EMIT currentTabChanged();
}

void AppState::setCurrentTabName(const QString &name)
{
    if (auto tab = appTabFromRawValue(name))
        setCurrentTab(*tab);
}

void AppState::setShowSettings(bool show)
{
    if (show == m_showSettings)
        return;
    m_showSettings = show;
    Q_EMIT showSettingsChanged();
}

QStringList AppState::pillTabs() const
{
    return {rawValue(AppTab::Home), rawValue(AppTab::Explore), rawValue(AppTab::Library)};
}

WallpaperApplier &AppState::applier()
{
    if (!m_applier)
        m_applier = new WallpaperApplier(WallpaperEngine::shared(), APIClient::shared(), this);
    return *m_applier;
}
