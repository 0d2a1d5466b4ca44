// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LumivaneApp.h"
#include "config/AppConfig.h"
#include "viewmodels/AppState.h"
#include "viewmodels/AppTab.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)

class TestAppCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabRawValues()
    {
        QCOMPARE(appTabFromRawValue(QStringLiteral("Library")), AppTab::library);
        QVERIFY(!appTabFromRawValue(QStringLiteral("home")).has_value());
        QVERIFY(!appTabFromRawValue(QString()).has_value());
        QStringList titles;
        for (AppTab tab : allAppTabs())
            titles << rawValue(tab);
        QCOMPARE(titles, QStringList({"Home", "Explore", "Library", "Upload"}));
    }

    void stateNotifiesOnlyOnChange()
    {
        AppState state;
        QCOMPARE(state.currentTab(), AppTab::home);
        QVERIFY(!state.showSettings());
        QSignalSpy tabSpy(&state, &AppState::currentTabChanged);
        state.setCurrentTab(AppTab::home);
        QCOMPARE(tabSpy.count(), 0);
        state.setCurrentTabName(QStringLiteral("Explore"));
        QCOMPARE(state.currentTab(), AppTab::explore);
        state.setCurrentTabName(QStringLiteral("explore")); // not a tab: ignored
        QCOMPARE(state.currentTab(), AppTab::explore);
        QCOMPARE(tabSpy.count(), 1);
        QCOMPARE(state.pillTabs(), QStringList({"Home", "Explore", "Library"}));
    }

    void changeIntervals()
    {
        QList<int> minutes;
        QStringList names;
        for (auto interval : AppConfig::allChangeIntervals()) {
            minutes << AppConfig::rawValue(interval);
            names << AppConfig::displayName(interval);
        }
        QCOMPARE(minutes, QList<int>({15, 30, 60, 120, 240, 1440}));
        QCOMPARE(names, QStringList({"15 minutes", "30 minutes", "1 hour", "2 hours", "4 hours", "Daily"}));
        QVERIFY(!AppConfig::changeIntervalFromRawValue(45).has_value());
        QCOMPARE(AppConfig::changeIntervalFromRawValue(240), AppConfig::ChangeInterval::fourHours);
    }

    void windowOpensAtDefaultSize()
    {
        LumivaneApp app;
        QVERIFY(app.start());
        auto *window = qobject_cast<QQuickWindow *>(app.engine().rootObjects().first());
        QVERIFY(window);
        QCOMPARE(window->width(), AppConfig::defaultWindowWidth);
        QCOMPARE(window->height(), AppConfig::defaultWindowHeight);
        QCOMPARE(window->minimumSize(), QSize(AppConfig::minWindowWidth, AppConfig::minWindowHeight));
        // The image cache must not sit inside the folder that Settings measures and clears.
        QVERIFY(!LumivaneApp::imageCacheDirectory().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Lumivane/")));
    }
};

QTEST_MAIN(TestAppCore)
#include "tst_appcore.moc"
