// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeEngine.h"
#include "TestSupport.h"
#include "viewmodels/Favorites.h"
#include "viewmodels/FavoritesStore.h"
#include "viewmodels/Formatters.h"
#include "viewmodels/UploadState.h"
#include "viewmodels/WallpaperApplier.h"
#include "viewmodels/WallpaperListModel.h"

#include <QAbstractItemModelTester>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<Wallpaper> make(const QStringList &ids)
{
    QList<Wallpaper> list;
    for (const QString &id : ids)
        list.append(Wallpaper(Wallpaper::Fields{.id = id, .title = id.toUpper(), .status = WallpaperStatus::rejected}));
    return list;
}

} // namespace

class TestSharedViewModelPieces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byteCounts_data();
    void byteCounts();
    void dimensions();
    void listModelAppendsAndResets();
    void favoritesRevisionFollowsEveryToggle();
    void applierIsBusyWhileRunningAndSilent();
    void uploadStateEquality();
};

void TestSharedViewModelPieces::byteCounts_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "Zero KB";
    QTest::newRow("one") << qint64(1) << "1 byte";
    QTest::newRow("999") << qint64(999) << "999 bytes";
    QTest::newRow("1000") << qint64(1000) << "1 KB";
    QTest::newRow("1499") << qint64(1499) << "1 KB";
    QTest::newRow("1500") << qint64(1500) << "2 KB";
    QTest::newRow("999499") << qint64(999'499) << "999 KB";
    QTest::newRow("999999 rounds into MB") << qint64(999'999) << "1 MB";
    QTest::newRow("2 MB") << qint64(2'000'000) << "2 MB";
    QTest::newRow("2.5 MB") << qint64(2'500'000) << "2.5 MB";
    QTest::newRow("123456") << qint64(123'456) << "123 KB";
    QTest::newRow("1.23 GB") << qint64(1'234'567'890) << "1.23 GB";
    QTest::newRow("1.2 GB") << qint64(1'200'000'000) << "1.2 GB";
    QTest::newRow("MB rounding up to GB") << qint64(999'960'000) << "1 GB";
    QTest::newRow("TB") << qint64(5'000'000'000'000) << "5 TB";
}

void TestSharedViewModelPieces::byteCounts()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(Formatters::formatByteCount(bytes), text);
}

void TestSharedViewModelPieces::dimensions()
{
    QCOMPARE(Formatters::formatDimensions(3840, 2160), QStringLiteral("3840 \u00D7 2160"));
}

void TestSharedViewModelPieces::listModelAppendsAndResets()
{
    WallpaperListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy count(&model, &WallpaperListModel::countChanged);

    model.append({}); // an empty page must not announce rows
    model.setWallpapers({});
    QCOMPARE(inserted.count() + reset.count() + count.count(), 0);

    model.append(make({"a", "b"}));
    model.append(make({"c"}));
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(model.count(), 3);
    QCOMPARE(model.data(model.index(2), WallpaperListModel::TitleRole).toString(), QStringLiteral("C"));
    QCOMPARE(model.data(model.index(0), WallpaperListModel::StatusRole).toString(), QStringLiteral("rejected"));
    QCOMPARE(model.data(model.index(1), WallpaperListModel::WallpaperRole).value<Wallpaper>().id(), QStringLiteral("b"));
    QVERIFY(!model.data(model.index(5), WallpaperListModel::TitleRole).isValid());
    QVERIFY(!model.get(-1).value<Wallpaper>().isValid());
    QCOMPARE(model.indexOfId("c"), 2);
    QCOMPARE(model.roleNames().value(WallpaperListModel::FullImageUrlRole), QByteArray("fullImageURL"));

    model.setWallpapers(make({"z"}));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.count(), 1);
    QCOMPARE(count.count(), 3);
}

void TestSharedViewModelPieces::favoritesRevisionFollowsEveryToggle()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("d.ini"), QSettings::IniFormat);
    FavoritesStore store(settings);
    Favorites favorites(store);
    QSignalSpy changed(&favorites, &Favorites::changed);
    QVERIFY(favorites.toggleFavorite("w1"));
    QVERIFY(favorites.isFavorite("w1"));
    store.toggleFavorite("w2"); // e.g. from the detail sheet
    QCOMPARE(favorites.revision(), 2);
    QCOMPARE(changed.count(), 2);
}

void TestSharedViewModelPieces::applierIsBusyWhileRunningAndSilent()
{
    FakeEngine engine;
    engine.failure = WallpaperError::setFailed("x");
    WallpaperApplier applier(engine); // application-wide
    applier.setDesktop(QUrl());
    QVERIFY(!applier.busy());
    QVERIFY(engine.desktopCalls.isEmpty());

    // Overlapping applies: busy until the last one ends, not the first.
    engine.delayMs = 5;
    auto first = applier.setDesktopAsync(QUrl("https://img.example/full.jpg"));
    engine.delayMs = 80;
    auto second = applier.setDesktopAsync(QUrl("https://img.example/other.jpg"));
    QVERIFY(applier.busy());
    QVERIFY(TestSupport::waitFor(first));
    QVERIFY(applier.busy());
    QVERIFY(TestSupport::waitFor(second));
    QVERIFY(!applier.busy());
    QCOMPARE(engine.desktopCalls.size(), 2);

    // A card's handle ignores a second press while its own apply runs, and its apply goes on
    // when the card is gone.
    auto *card = new WallpaperApplier(applier);
    card->setDesktop(QUrl("https://img.example/c.jpg"));
    card->setDesktop(QUrl("https://img.example/d.jpg"));
    QVERIFY(card->busy());
    QVERIFY(applier.busy());
    delete card;
    QVERIFY(TestSupport::waitUntil([&] { return !applier.busy(); }));
    QCOMPARE(engine.desktopCalls.size(), 3);
    QVERIFY(engine.notifications.isEmpty()); // cards stay silent on failure
}

void TestSharedViewModelPieces::uploadStateEquality()
{
    QVERIFY(UploadState::failed("a") == UploadState::failed("a"));
    QVERIFY(UploadState::failed("a") != UploadState::failed("b"));
    QVERIFY(UploadState() == UploadState::idle());
    QCOMPARE(UploadState::processing().name(), QStringLiteral("processing"));
}

QTEST_GUILESS_MAIN(TestSharedViewModelPieces)
#include "tst_vm_shared.moc"
