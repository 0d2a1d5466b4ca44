// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a seeded reference service and the real app window offscreen, and reads the window's
// items: the featured hero with a title and at least one category row with cards, no skeleton
// and no error panel; scrolled to the end, every row has its cards.
#include "ItemTree.h"
#include "SeededService.h"
#include "app/LumivaneApp.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <functional>

Q_IMPORT_QML_PLUGIN(LumivanePlugin)

namespace {

using ItemTree::itemsWhere;
using ItemTree::reallyVisible;

} // namespace

class TestEndToEndHome : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    SeededService service;

private Q_SLOTS:
    void initTestCase()
    {
        if (!SeededService::isBuilt())
            QSKIP("the reference service is not built");
        QVERIFY2(service.start(temp.filePath(QStringLiteral("catalogue"))), qPrintable(service.error()));
        service.exportToApp();
    }


    void homeShowsHeroAndRows()
    {
        LumivaneApp app;
        QVERIFY(app.start());
        auto *window = qobject_cast<QQuickWindow *>(app.engine().rootObjects().value(0));
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        const auto named = [window](const char *name) {
            return itemsWhere(window->contentItem(), [name](QQuickItem *item) {
                return item->objectName() == QLatin1String(name) && reallyVisible(item);
            });
        };
        const auto rowWithCards = [&] {
            for (QQuickItem *row : named("categoryRow"))
                if (!itemsWhere(row, [](QQuickItem *i) { return i->objectName() == QLatin1String("wallpaperCard"); }).isEmpty())
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!named("hero").isEmpty() && rowWithCards(), 30000);
        const QList<QQuickItem *> titles = named("heroTitle");
        QVERIFY(!titles.isEmpty());
        QVERIFY(!titles.first()->property("text").toString().isEmpty());
        QVERIFY(named("errorPanel").isEmpty());
        QVERIFY(itemsWhere(window->contentItem(), [](QQuickItem *i) {
                    return i->inherits("QQuickItem") && QByteArray(i->metaObject()->className()).startsWith("LoadingSkeletonView")
                        && reallyVisible(i);
                }).isEmpty());

        // Rows below the fold get their cards when scrolled to, every one of them.
        const auto cardsIn = [](QQuickItem *row) {
            return itemsWhere(row, [](QQuickItem *i) { return i->objectName() == QLatin1String("wallpaperCard"); }).size();
        };
        const QList<QQuickItem *> rows = named("categoryRow");
        QVERIFY(rows.size() > 2);
        QCOMPARE(cardsIn(rows.last()), 0);
        QQuickItem *scroller = named("homeView").value(0)->property("scroller").value<QQuickItem *>();
        QVERIFY(scroller);
        scroller->setProperty("contentY", scroller->property("contentHeight").toReal() - scroller->height());
        for (QQuickItem *row : rows)
            QTRY_VERIFY2(cardsIn(row) > 0, qPrintable(row->property("name").toString()));
    }
};

int main(int argc, char *argv[])
{
    QGuiApplication::setOrganizationName(QStringLiteral("Lumivane"));
    QGuiApplication::setApplicationName(QStringLiteral("Lumivane"));
    QGuiApplication app(argc, argv);
    LumivaneApp::loadIconFont();
    TestEndToEndHome test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e_home.moc"
