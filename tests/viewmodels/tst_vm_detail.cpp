// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/PreferenceKeys.h"
#include "FakeEngine.h"
#include "viewmodels/FavoritesStore.h"
#include "viewmodels/LibraryViewModel.h"
#include "viewmodels/WallpaperApplier.h"
#include "viewmodels/WallpaperDetailViewModel.h"
#include "viewmodels/WallpaperListModel.h"
#include "VmTestKit.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace VmTestKit;

namespace {

Wallpaper wallpaper(const QString &id)
{
    return Wallpaper(Wallpaper::Fields{.id = id, .title = QStringLiteral("T"), .format = WallpaperFormat::png});
}

QByteArray downloadRecord(const QString &url, const QString &filename)
{
    return QStringLiteral(R"({"url":"%1","filename":"%2"})").arg(url, filename).toUtf8();
}

QByteArray fileURL(const ScriptedHttpServer &server, const QString &path)
{
    return (server.url().toString() + path).toUtf8();
}

} // namespace

class TestWallpaperDetailViewModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_settings.reset(new QSettings(m_dir.filePath("defaults.ini"), QSettings::IniFormat));
        m_settings->clear();
        m_downloads.reset(new QTemporaryDir);
    }

    void favouriteToggleAndLibrarySeesIt();
    void desktopAndLockScreenFlows();
    void anApplyOutlivesItsSheet();
    void oneMonitorOnlyWhereTheDesktopKeepsOneEach();
    void engineAndServiceErrorsBecomeMessages();
    void unparsableURLLoudForApplyQuietForSave();
    void saveWritesAndOverwritesUnderSafeName();
    void saveRefusesAnErrorPageOrABrokenBody();
    void librarysDownloadsListWhatIsStillOnDiskNewestFirst();
    void safeFileNames_data();
    void safeFileNames();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_downloads;
};

void TestWallpaperDetailViewModel::favouriteToggleAndLibrarySeesIt()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FakeEngine engine;
    FavoritesStore store(*m_settings);
    store.toggleFavorite("other");
    WallpaperDetailViewModel vm(wallpaper("w1"), api, engine, store, m_downloads->path());
    QVERIFY(!vm.isFavorited());
    QSignalSpy spy(&vm, &WallpaperDetailViewModel::isFavoritedChanged);
    vm.toggleFavorite();
    QVERIFY(vm.isFavorited());
    QCOMPARE(spy.count(), 1);
    // In the file when the toggle returns (read as bytes: QSettings objects of one process share
    // unsaved changes), so a crash right after does not lose it.
    QFile disk(m_dir.filePath("defaults.ini"));
    QVERIFY(disk.open(QIODevice::ReadOnly));
    const QByteArray written = disk.readAll();
    const qsizetype line = written.indexOf(PreferenceKeys::favoriteIds.toUtf8() + '=');
    QVERIFY(line >= 0);
    QVERIFY(written.mid(line, written.indexOf('\n', line) - line).contains("w1"));

    server.on("GET", "/api/wallpapers/w1", envelope(wallpaperJson("w1")));
    server.on("GET", "/api/wallpapers/other", envelope(wallpaperJson("other")));
    LibraryViewModel library(api, store);
    QVERIFY(finish(library.loadFavoritesAsync()));
    QVERIFY(library.favorites()->containsId("w1"));

    vm.toggleFavorite();
    QVERIFY(!vm.isFavorited());
    QCOMPARE(store.favoriteIDs(), QStringList{"other"});
    // A new sheet reads the mark afresh.
    WallpaperDetailViewModel again(wallpaper("other"), api, engine, store, m_downloads->path());
    QVERIFY(again.isFavorited());
}

void TestWallpaperDetailViewModel::desktopAndLockScreenFlows()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FakeEngine engine;
    FavoritesStore store(*m_settings);
    server.on("GET", "/api/wallpapers/w1/download",
              envelope(downloadRecord("https://img.example/full/w1.png", "w1.png")));
    WallpaperDetailViewModel vm(wallpaper("w1"), api, engine, store, m_downloads->path());
    QSignalSpy setting(&vm, &WallpaperDetailViewModel::isSettingWallpaperChanged);

    auto desktop = vm.setAsDesktopAsync();
    QVERIFY(vm.isSettingWallpaper());
    QVERIFY(TestSupport::waitFor(desktop));
    QCOMPARE(engine.desktopCalls, QList<QUrl>{QUrl("https://img.example/full/w1.png")});
    QCOMPARE(vm.successMessage(), QStringLiteral("Desktop wallpaper set successfully!"));
    QVERIFY(vm.showSuccess());
    QVERIFY(!vm.isSettingWallpaper());
    QCOMPARE(setting.count(), 2);

    vm.setShowSuccess(false); // the alert's OK
    QVERIFY(finish(vm.setAsLockScreenAsync()));
    QCOMPARE(engine.lockScreenCalls.size(), 1);
    QCOMPARE(vm.successMessage(), QStringLiteral("Lock screen wallpaper set successfully!"));
    QVERIFY(vm.showSuccess());
    QVERIFY(!vm.showError());
    QVERIFY(!vm.isSettingWallpaper());
}

void TestWallpaperDetailViewModel::oneMonitorOnlyWhereTheDesktopKeepsOneEach()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FakeEngine engine;
    FavoritesStore store(*m_settings);
    server.on("GET", "/api/wallpapers/w1/download",
              envelope(downloadRecord("https://img.example/full/w1.png", "w1.png")));
    const QUrl picture("https://img.example/full/w1.png");
    engine.monitors = {DesktopScreen{0, "DP-1", true, QSize(2560, 1440)}, DesktopScreen{1, "HDMI-1", false, QSize(1920, 1080)}};
    engine.capabilities.perMonitor = true;

    {
        WallpaperDetailViewModel vm(wallpaper("w1"), api, engine, store, m_downloads->path());
        QTRY_VERIFY(vm.canChooseMonitor());
        QCOMPARE(vm.monitorChoices(), (QStringList{"All displays", "DP-1 — 2560 × 1440", "HDMI-1 — 1920 × 1080"}));
        vm.setMonitorChoice(2);
        QVERIFY(finish(vm.setAsDesktopAsync()));
        QCOMPARE(engine.monitorCalls, (QList<QPair<QUrl, QString>>{{picture, "HDMI-1"}}));
        QVERIFY(engine.desktopCalls.isEmpty());
        QCOMPARE(vm.successMessage(), QStringLiteral("Desktop wallpaper set on HDMI-1!"));
        // The lock screen is one picture whatever the choice; a choice out of range is all.
        QVERIFY(finish(vm.setAsLockScreenAsync()));
        QCOMPARE(engine.lockScreenCalls.size(), 1);
        vm.setMonitorChoice(7);
        QCOMPARE(vm.monitorChoice(), 0);
        QVERIFY(finish(vm.setAsDesktopAsync()));
        QCOMPARE(engine.desktopCalls, QList<QUrl>{picture});
    }

    // One picture for every monitor, or a single monitor: nothing to choose, applied everywhere.
    engine.monitorCalls.clear();
    engine.desktopCalls.clear();
    for (const bool perMonitor : {false, true}) {
        engine.capabilities.perMonitor = perMonitor;
        if (perMonitor)
            engine.monitors.removeLast();
        WallpaperDetailViewModel vm(wallpaper("w1"), api, engine, store, m_downloads->path());
        QTest::qWait(20); // the capabilities' answer
        QVERIFY(!vm.canChooseMonitor());
        QVERIFY(vm.monitorChoices().isEmpty());
        vm.setMonitorChoice(1);
        QVERIFY(finish(vm.setAsDesktopAsync()));
    }
    QVERIFY(engine.monitorCalls.isEmpty());
    QCOMPARE(engine.desktopCalls.size(), 2);
}

void TestWallpaperDetailViewModel::anApplyOutlivesItsSheet()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FakeEngine engine;
    FavoritesStore store(*m_settings);
    auto slowRecord = envelope(downloadRecord("https://img.example/full/w1.png", "w1.png"));
    slowRecord.delayMs = 30;
    server.on("GET", "/api/wallpapers/w1/download", slowRecord);
    WallpaperApplier applier(engine, api); // the application-wide one
    QSignalSpy finished(&applier, &WallpaperApplier::finished);

    // Closed while the download address is still on its way.
    auto *sheet = new WallpaperDetailViewModel(wallpaper("w1"), api, engine, store, m_downloads->path(), nullptr, &applier);
    sheet->setAsDesktop();
    QVERIFY(applier.busy());
    delete sheet;
    QVERIFY(finished.wait(3000));
    QCOMPARE(engine.desktopCalls, QList<QUrl>{QUrl("https://img.example/full/w1.png")});
    QCOMPARE(finished.first().at(2).toString(), QString());
    QVERIFY(!applier.busy());
    QVERIFY(engine.notifications.isEmpty()); // success: the engine's own notification says so

    // A failure with no sheet left to show it becomes a notification.
    engine.failure = WallpaperError::setFailed("no backend");
    sheet = new WallpaperDetailViewModel(wallpaper("w1"), api, engine, store, m_downloads->path(), nullptr, &applier);
    sheet->setAsLockScreen();
    delete sheet;
    QVERIFY(finished.wait(3000));
    const QList<QPair<QString, QString>> notes{{"Lock Screen Not Set", "Failed to set wallpaper: no backend"}};
    QCOMPARE(engine.notifications, notes);
    QVERIFY(!applier.busy());
}

void TestWallpaperDetailViewModel::engineAndServiceErrorsBecomeMessages()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FakeEngine engine;
    FavoritesStore store(*m_settings);
    server.on("GET", "/api/wallpapers/w1/download", envelope(downloadRecord("https://img.example/a.png", "a.png")));
    server.on("GET", "/api/wallpapers/gone/download", failure(404, "Wallpaper not found"));

    engine.failure = WallpaperError::setFailed("no backend");
    WallpaperDetailViewModel vm(wallpaper("w1"), api, engine, store, m_downloads->path());
    QVERIFY(finish(vm.setAsLockScreenAsync()));
    QCOMPARE(vm.errorMessage(), QStringLiteral("Failed to set wallpaper: no backend"));
    QVERIFY(vm.showError());
    QVERIFY(!vm.showSuccess());
    QVERIFY(!vm.isSettingWallpaper());

    WallpaperDetailViewModel gone(wallpaper("gone"), api, engine, store, m_downloads->path());
    QVERIFY(finish(gone.setAsDesktopAsync()));
    QCOMPARE(gone.errorMessage(), QStringLiteral("Wallpaper not found"));
    QVERIFY(engine.desktopCalls.isEmpty());
    gone.setShowError(false);
    QVERIFY(finish(gone.saveDownloadAsync()));
    QCOMPARE(gone.errorMessage(), QStringLiteral("Wallpaper not found"));
    QVERIFY(gone.showError());
}

void TestWallpaperDetailViewModel::unparsableURLLoudForApplyQuietForSave()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FakeEngine engine;
    FavoritesStore store(*m_settings);
    server.on("GET", "/api/wallpapers/w1/download", envelope(downloadRecord("http://[::1", "w1.png")));
    WallpaperDetailViewModel vm(wallpaper("w1"), api, engine, store, m_downloads->path());

    QVERIFY(finish(vm.saveDownloadAsync()));
    QVERIFY(!vm.showError());
    QVERIFY(!vm.showSuccess());
    QVERIFY(vm.errorMessage().isEmpty());

    QVERIFY(finish(vm.setAsDesktopAsync()));
    QCOMPARE(vm.errorMessage(), QStringLiteral("Failed to download wallpaper"));
    QVERIFY(vm.showError());
    QVERIFY(engine.desktopCalls.isEmpty());
}

void TestWallpaperDetailViewModel::saveWritesAndOverwritesUnderSafeName()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FakeEngine engine;
    FavoritesStore store(*m_settings);
    server.on("GET", "/api/wallpapers/w1/download",
              envelope(downloadRecord(fileURL(server, "/files/w1.png"), "../../evil.png")));
    ScriptedHttpServer::Response file;
    file.body = "first bytes";
    server.on("GET", "/files/w1.png", file);
    const QString folder = m_downloads->filePath("Downloads"); // created on first save
    WallpaperDetailViewModel vm(wallpaper("w1"), api, engine, store, folder);

    QVERIFY(finish(vm.saveDownloadAsync()));
    QCOMPARE(vm.successMessage(), QStringLiteral("Saved to Downloads"));
    QVERIFY(vm.showSuccess());
    QFile saved(QDir(folder).filePath("evil.png"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("first bytes"));
    saved.close();
    QVERIFY(!QFile::exists(m_downloads->filePath("evil.png")));

    file.body = "second";
    server.on("GET", "/files/w1.png", file);
    QVERIFY(finish(vm.saveDownloadAsync()));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("second"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"evil.png"}); // no temp left
    QVERIFY(!vm.isSettingWallpaper());
}

void TestWallpaperDetailViewModel::librarysDownloadsListWhatIsStillOnDiskNewestFirst()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FakeEngine engine;
    FavoritesStore store(*m_settings);
    const QString folder = m_downloads->filePath("Downloads");
    ScriptedHttpServer::Response file;
    file.body = "picture";
    for (const QString id : {"w1", "w2", "w3"}) {
        server.on("GET", "/api/wallpapers/" + id + "/download",
                  envelope(downloadRecord(fileURL(server, "/files/" + id + ".png"), id + ".png")));
        server.on("GET", "/files/" + id + ".png", file);
        server.on("GET", "/api/wallpapers/" + id, envelope(wallpaperJson(id)));
        WallpaperDetailViewModel vm(wallpaper(id), api, engine, store, folder);
        QVERIFY(finish(vm.saveDownloadAsync()));
        QVERIFY(vm.showSuccess());
    }
    QVERIFY(QFile::remove(QDir(folder).filePath("w2.png"))); // deleted by the user
    QFile newest(QDir(folder).filePath("w1.png"));
    QVERIFY(newest.open(QIODevice::ReadWrite));
    QVERIFY(newest.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    newest.close();

    LibraryViewModel library(api, store);
    QVERIFY(finish(library.loadDownloadsAsync()));
    QStringList listed;
    for (int row = 0; row < library.downloads()->rowCount(); ++row)
        listed << library.downloads()->index(row).data(WallpaperListModel::WallpaperIdRole).toString();
    QCOMPARE(listed, (QStringList{"w1", "w3"}));
    QCOMPARE(countPath(server, "/api/wallpapers/w2"), 0);
}

void TestWallpaperDetailViewModel::saveRefusesAnErrorPageOrABrokenBody()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    FakeEngine engine;
    FavoritesStore store(*m_settings);
    server.on("GET", "/api/wallpapers/w1/download",
              envelope(downloadRecord(fileURL(server, "/files/missing.png"), "w1.png")));
    WallpaperDetailViewModel vm(wallpaper("w1"), api, engine, store, m_downloads->path());
    QVERIFY(finish(vm.saveDownloadAsync())); // the server answers 404 for unknown paths
    QCOMPARE(vm.errorMessage(), QStringLiteral("Failed to download wallpaper"));
    QVERIFY(vm.showError());
    QVERIFY(!vm.showSuccess());
    QVERIFY(QDir(m_downloads->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // The connection breaks after half of the announced body.
    server.on("GET", "/api/wallpapers/w2/download",
              envelope(downloadRecord(fileURL(server, "/files/w2.png"), "w2.png")));
    ScriptedHttpServer::Response broken;
    broken.body = QByteArray(50'000, 'p');
    broken.announcedLength = 100'000;
    server.on("GET", "/files/w2.png", broken);
    WallpaperDetailViewModel cut(wallpaper("w2"), api, engine, store, m_downloads->path());
    QVERIFY(finish(cut.saveDownloadAsync()));
    QVERIFY(cut.showError());
    QVERIFY(!cut.showSuccess());
    QVERIFY(QDir(m_downloads->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestWallpaperDetailViewModel::safeFileNames_data()
{
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "dunes.jpg" << "dunes.jpg";
    QTest::newRow("parent path") << "../../.bashrc" << "bashrc"; // never a hidden file
    QTest::newRow("leading dots") << "..hidden.png" << "hidden.png";
    QTest::newRow("absolute") << "/etc/passwd" << "passwd";
    QTest::newRow("backslashes") << "..\\..\\x.png" << "x.png";
    QTest::newRow("empty") << "" << "w1.png";
    QTest::newRow("dot") << "." << "w1.png";
    QTest::newRow("dot dot") << ".." << "w1.png";
    QTest::newRow("dots only") << "..." << "w1.png";
    QTest::newRow("trailing slash") << "dir/" << "w1.png";
    QTest::newRow("control characters") << "a\nb.png" << "ab.png";
}

void TestWallpaperDetailViewModel::safeFileNames()
{
    QFETCH(QString, suggested);
    QFETCH(QString, expected);
    QCOMPARE(WallpaperDetailViewModel::safeFileName(suggested, "w1", "png"), expected);
}

QTEST_GUILESS_MAIN(TestWallpaperDetailViewModel)
#include "tst_vm_detail.moc"
