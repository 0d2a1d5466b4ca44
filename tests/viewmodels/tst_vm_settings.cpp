// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/BuildInfo.h"
#include "config/PreferenceKeys.h"
#include "FakeEngine.h"
#include "models/AppError.h"
#include "platform/LoginItemBackend.h"
#include "services/CacheManager.h"
#include "services/LoginItem.h"
#include "viewmodels/SettingsViewModel.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The entry on disk is a flag here; enabling can be made to fail after "writing" it.
class FakeLoginBackend : public LoginItemBackend
{
public:
    void enable() override
    {
        present = true;
        if (failAfterWrite)
            throw FileError(QStringLiteral("Could not load the login item"));
    }
    void disable() override { present = false; }
    bool isEnabled() const override { return present; }

    bool present = false;
    bool failAfterWrite = false;
};

void writeFile(const QString &path, qint64 bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(bytes, 'x'));
}

} // namespace

class TestSettingsViewModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        m_settings.reset(new QSettings(m_dir->filePath("defaults.ini"), QSettings::IniFormat));
        m_cache.reset(new CacheManager(m_dir->filePath("cache/Lumivane"), m_dir->filePath("cache/lumivane-images"),
                                       m_settings.get()));
    }

    void changeIntervalDefaults_data();
    void changeIntervalDefaults();
    void creationStoresNothingAndAssignmentsDo();
    void startOnLoginFollowsTheFileSystem();
    void failedEnableKeepsSwitchOff();
    void cacheSizeAndClearing();
    void versionText();

private:
    SettingsViewModel *make(QObject *parent)
    {
        return new SettingsViewModel(*m_settings, *m_cache, *m_login, m_engine, parent);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<CacheManager> m_cache;
    FakeLoginBackend m_backend;
    std::unique_ptr<LoginItem> m_login = std::make_unique<LoginItem>(m_backend);
    FakeEngine m_engine;
};

void TestSettingsViewModel::changeIntervalDefaults_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("absent") << QVariant() << 60;
    QTest::newRow("zero") << QVariant(0) << 60;
    QTest::newRow("fifteen") << QVariant(15) << 15;
}

void TestSettingsViewModel::changeIntervalDefaults()
{
    QFETCH(QVariant, stored);
    QFETCH(int, shown);
    if (stored.isValid())
        m_settings->setValue(PreferenceKeys::changeIntervalMinutes, stored);
    QObject owner;
    QCOMPARE(make(&owner)->changeInterval(), shown);
}

void TestSettingsViewModel::creationStoresNothingAndAssignmentsDo()
{
    QObject owner;
    SettingsViewModel *vm = make(&owner);
    QVERIFY(!vm->autoChangeWallpaper());
    QVERIFY(!vm->lockScreenEnabled());
    QVERIFY(m_settings->allKeys().isEmpty());

    QSignalSpy autoSpy(vm, &SettingsViewModel::autoChangeWallpaperChanged);
    vm->setAutoChangeWallpaper(true);
    vm->setAutoChangeWallpaper(true);
    QCOMPARE(autoSpy.count(), 1);
    vm->setLockScreenEnabled(true);
    vm->storeChangeInterval(240);
    vm->setChangeInterval(30); // shown only
    QCOMPARE(m_settings->value(PreferenceKeys::autoChangeWallpaper).toBool(), true);
    QCOMPARE(m_settings->value(PreferenceKeys::lockScreenEnabled).toBool(), true);
    QCOMPARE(m_settings->value(PreferenceKeys::changeIntervalMinutes).toInt(), 240);
    // In the file when each action returns (QSettings objects of one process share unsaved
    // changes, so the bytes on disk are read): a crash right after must not lose them.
    QFile disk(m_dir->filePath("defaults.ini"));
    QVERIFY(disk.open(QIODevice::ReadOnly));
    const QByteArray written = disk.readAll();
    QVERIFY(written.contains("autoChangeWallpaper=true"));
    QVERIFY(written.contains("lockScreenEnabled=true"));
    QVERIFY(written.contains("changeIntervalMinutes=240"));

    SettingsViewModel *next = make(&owner);
    QVERIFY(next->autoChangeWallpaper());
    QVERIFY(next->lockScreenEnabled());
    QCOMPARE(next->changeInterval(), 240);

    const QVariantList choices = vm->intervalChoices();
    QCOMPARE(choices.size(), 6);
    QCOMPARE(choices.at(5).toMap().value("name").toString(), QStringLiteral("Daily"));
    QCOMPARE(choices.at(5).toMap().value("minutes").toInt(), 1440);
    QVERIFY(vm->accessibilityTrusted());
    vm->openAccessibilitySettings();
    QCOMPARE(m_engine.accessibilityOpened, 1);
}

void TestSettingsViewModel::startOnLoginFollowsTheFileSystem()
{
    m_backend = FakeLoginBackend();
    QObject owner;
    SettingsViewModel *vm = make(&owner);
    QVERIFY(!vm->startOnLogin());
    vm->toggleStartOnLogin();
    QVERIFY(m_backend.present);
    QVERIFY(vm->startOnLogin());
    vm->toggleStartOnLogin();
    QVERIFY(!m_backend.present);
    QVERIFY(!vm->startOnLogin());
    QVERIFY(vm->error().isEmpty());
}

void TestSettingsViewModel::failedEnableKeepsSwitchOff()
{
    m_backend = FakeLoginBackend();
    m_backend.failAfterWrite = true;
    QObject owner;
    SettingsViewModel *vm = make(&owner);
    vm->toggleStartOnLogin();
    QCOMPARE(vm->error(), QStringLiteral("Could not load the login item"));
    QVERIFY(!vm->startOnLogin());
    // The next sheet sees the entry that was left behind.
    QVERIFY(make(&owner)->startOnLogin());
    m_backend = FakeLoginBackend();
}

void TestSettingsViewModel::cacheSizeAndClearing()
{
    writeFile(m_dir->filePath("cache/Lumivane/Wallpapers/a.jpg"), 2'500'000);
    writeFile(m_dir->filePath("cache/Lumivane/.hidden"), 9'000'000);
    // The views' image cache counts too, and the desktop's picture is kept.
    writeFile(m_dir->filePath("cache/lumivane-images/data8/3/entry.d"), 1'000'000);
    writeFile(m_dir->filePath("cache/Lumivane/Wallpapers/shown.jpg"), 300'000);
    m_settings->setValue(PreferenceKeys::desktopPictureFiles, QStringList{m_dir->filePath("cache/Lumivane/Wallpapers/shown.jpg")});
    QObject owner;
    SettingsViewModel *vm = make(&owner);
    QCOMPARE(vm->cacheSize(), QStringLiteral("3.8 MB"));
    QSignalSpy spy(vm, &SettingsViewModel::cacheSizeChanged);
    vm->clearCache();
    QCOMPARE(vm->cacheSize(), QStringLiteral("300 KB"));
    QVERIFY(QFile::exists(m_dir->filePath("cache/Lumivane/Wallpapers/shown.jpg")));
    QVERIFY(!QFile::exists(m_dir->filePath("cache/lumivane-images/data8/3/entry.d")));
    QCOMPARE(spy.count(), 1);
    QVERIFY(vm->error().isEmpty());
    QVERIFY(QDir(m_dir->filePath("cache/Lumivane")).exists());
}

void TestSettingsViewModel::versionText()
{
    QCOMPARE(SettingsViewModel::versionText("2.3", "45"), QStringLiteral("2.3 (45)"));
    QCOMPARE(SettingsViewModel::versionText("2.3", ""), QStringLiteral("2.3 (1)"));
    QCOMPARE(SettingsViewModel::versionText("", ""), QStringLiteral("1.0 (1)"));
    QObject owner;
    QCOMPARE(make(&owner)->appVersion(),
             SettingsViewModel::versionText(QString::fromUtf8(BuildInfo::version), QString::fromUtf8(BuildInfo::buildNumber)));
}

QTEST_GUILESS_MAIN(TestSettingsViewModel)
#include "tst_vm_settings.moc"
