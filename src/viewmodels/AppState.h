// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewmodels/AppTab.h"

#include "viewmodels/WallpaperApplier.h"

#include <QObject>
#include <QQmlEngine>

// The state every screen shares: which tab is shown and whether Settings is open.
// QML sees the tab as an AppTab value (AppTab.Home, …).
class AppState : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(AppTabs::AppTab currentTab READ currentTab WRITE setCurrentTab NOTIFY currentTabChanged)
    Q_PROPERTY(bool showSettings READ showSettings WRITE setShowSettings NOTIFY showSettingsChanged)
    // The one application-wide applier: an apply started anywhere runs to its end here.
    Q_PROPERTY(WallpaperApplier *applier READ applierObject CONSTANT)

public:
    explicit AppState(QObject *parent = nullptr);

    static AppState &shared();
    static AppState *create(QQmlEngine *, QJSEngine *);

    AppTab currentTab() const { return m_currentTab; }
    void setCurrentTab(AppTab tab);
    QString currentTabName() const { return rawValue(m_currentTab); }
    // Strings that name no tab are ignored.
    void setCurrentTabName(const QString &name);

    bool showSettings() const { return m_showSettings; }
    void setShowSettings(bool show);

    // The tabs that get a pill in the switcher; Upload is reached from its own button.
    QStringList pillTabs() const;

    // Made on first use, with the shared engine and catalogue client.
    WallpaperApplier &applier();
    WallpaperApplier *applierObject() { return &applier(); }

Q_SIGNALS:
    void currentTabChanged();
    void showSettingsChanged();

private:
    AppTab m_currentTab = AppTab::Home;
    bool m_showSettings = false;
    WallpaperApplier *m_applier = nullptr;
};
