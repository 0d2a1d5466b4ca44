// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/UploadViewModel.h"
#include "viewmodels/WallpaperListModel.h"
#include "VmTestKit.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtPlugin>

Q_IMPORT_PLUGIN(HeicImagePlugin)

using namespace VmTestKit;

namespace {

QString writeImage(const QDir &dir, const QString &name, int width, int height, const char *format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    const QString path = dir.filePath(name);
    if (!image.save(path, format))
        return {};
    return path;
}

ScriptedHttpServer::Response status(const QByteArray &state, const QByteArray &message = "null")
{
    return envelope(R"({"status":")" + state + R"(","message":)" + message + "}");
}

} // namespace

class TestUploadViewModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void fileTypeSizeAndDecodeChecks();
    void dimensionLimitsAndTitlePrefill();
    void heicIsReadThroughThePlugin();
    void validationMessages();
    void successfulUploadClimbsPollsAndClearsForm();
    void processingFailureMessages();
    void pollGivesUpAtTheDeadline();
    void failedUploadStopsTheTicker();
    void categoriesLoadedOnceAndFailuresSilent();
    void tagRules();
    void myUploadsFollowTheCategoriesAndOnlyTheNewestLands();

private:
    UploadViewModel *make(APIClient &api, QObject *owner)
    {
        return new UploadViewModel(api, [] { return QStringLiteral("MACHINE-1"); }, fastTiming(), owner);
    }
    QTemporaryDir m_dir;
    QString m_good; // 2560×1600 PNG
};

void TestUploadViewModel::initTestCase()
{
    m_good = writeImage(QDir(m_dir.path()), "my_summer-beach.png", 2560, 1600, "PNG");
    QVERIFY(!m_good.isEmpty());
}

void TestUploadViewModel::fileTypeSizeAndDecodeChecks()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    const QDir dir(m_dir.path());

    const QString jpg = writeImage(dir, "photo.JPG", 2560, 1600, "JPEG");
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(jpg)));
    QVERIFY2(vm->validationError().isEmpty(), qPrintable(vm->validationError()));
    QCOMPARE(vm->selectedFileName(), QStringLiteral("photo.JPG"));

    for (const QString &name : {QStringLiteral("photo.gif"), QStringLiteral("photo")}) {
        QFile::copy(m_good, dir.filePath(name));
        QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(dir.filePath(name))));
        QCOMPARE(vm->validationError(), QStringLiteral("Only JPG, PNG, and HEIC files are supported"));
    }
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(dir.filePath("absent.png"))));
    QCOMPARE(vm->validationError(), QStringLiteral("Could not read file"));

    QFile junk(dir.filePath("junk.png"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'j'));
    junk.close();
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(junk.fileName())));
    QCOMPARE(vm->validationError(), QStringLiteral("Could not load image"));
    // Every rejection left the accepted JPEG in place.
    QCOMPARE(vm->selectedFileName(), QStringLiteral("photo.JPG"));

    // Exactly the limit passes (a valid PNG padded after its end), one byte more does not.
    const QString atLimit = dir.filePath("limit.png");
    QFile::copy(m_good, atLimit);
    QVERIFY(QFile::resize(atLimit, UploadViewModel::maxFileBytes));
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(atLimit)));
    QVERIFY2(vm->validationError().isEmpty(), qPrintable(vm->validationError()));
    QCOMPARE(vm->selectedFileName(), QStringLiteral("limit.png"));
    QVERIFY(QFile::resize(atLimit, UploadViewModel::maxFileBytes + 1));
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(atLimit)));
    QCOMPARE(vm->validationError(), QStringLiteral("File size must be under 50MB"));
    QFile::remove(atLimit);
}

void TestUploadViewModel::dimensionLimitsAndTitlePrefill()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    const QDir dir(m_dir.path());

    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(writeImage(dir, "narrow.png", 2559, 1600, "PNG"))));
    QCOMPARE(vm->validationError(), QStringLiteral("Image must be at least 2560\u00D71600 pixels (got 2559\u00D71600)"));
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(writeImage(dir, "short.png", 2560, 1599, "PNG"))));
    QCOMPARE(vm->validationError(), QStringLiteral("Image must be at least 2560\u00D71600 pixels (got 2560\u00D71599)"));
    QVERIFY(!vm->hasSelectedFile());
    QVERIFY(vm->title().isEmpty());

    // The pixels are checked on a worker thread: the call returns before the answer, the window
    // stays responsive.
    vm->loadFile(QUrl::fromLocalFile(m_good));
    QVERIFY(!vm->hasSelectedFile());
    QTRY_VERIFY(vm->hasSelectedFile());
    QVERIFY(vm->validationError().isEmpty());
    QCOMPARE(vm->imageResolution(), QSizeF(2560, 1600));
    QCOMPARE(vm->imageResolutionText(), QStringLiteral("2560\u00D71600"));
    QCOMPARE(vm->title(), QStringLiteral("my summer beach"));

    vm->setTitle("Mine");
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(writeImage(dir, "other_one.png", 2600, 1700, "PNG"))));
    QCOMPARE(vm->title(), QStringLiteral("Mine"));

    vm->clearFile();
    QVERIFY(!vm->hasSelectedFile());
    QCOMPARE(vm->imageResolution(), QSizeF());
    QCOMPARE(vm->title(), QStringLiteral("Mine"));
    QCOMPARE(vm->uploadStateName(), QStringLiteral("idle"));
}

void TestUploadViewModel::heicIsReadThroughThePlugin()
{
    const QDir dir(m_dir.path());
    const QString heic = TestSupport::writeHeic(dir.filePath(QStringLiteral("shot.heic")), 2560, 1600);
    if (heic.isEmpty())
        QSKIP("libheif has no HEVC encoder here");
    QImageReader reader(heic);
    QVERIFY(reader.canRead());
    QCOMPARE(reader.size(), QSize(2560, 1600));
    reader.setScaledSize(QSize(64, 40));
    const QImage small = reader.read();
    QCOMPARE(small.size(), QSize(64, 40));
    QVERIFY(qAbs(qRed(small.pixel(10, 10)) - 120) < 12);

    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(heic)));
    QVERIFY2(vm->validationError().isEmpty(), qPrintable(vm->validationError()));
    QCOMPARE(vm->imageResolution(), QSizeF(2560, 1600));

    // Not a HEIF file behind the extension.
    QFile::copy(m_good, dir.filePath("fake.heic"));
    QImageReader fake(dir.filePath("fake.heic"), "heic");
    QVERIFY(fake.read().isNull());
}

void TestUploadViewModel::validationMessages()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(m_good)));
    vm->setCategoryId("c1");

    vm->setTitle("  ab  ");
    QVERIFY(vm->canUpload()); // counts as typed
    QVERIFY(!vm->validate());
    QCOMPARE(vm->titleError(), QStringLiteral("Title must be at least 3 characters"));
    vm->setTitle(QString(101, 'x'));
    QVERIFY(!vm->validate());
    QCOMPARE(vm->titleError(), QStringLiteral("Title must be under 100 characters"));
    vm->setTitle(QString(100, 'x'));
    QVERIFY(vm->validate());
    QVERIFY(vm->titleError().isEmpty());

    vm->setCategoryId("");
    QVERIFY(!vm->canUpload());
    QVERIFY(finish(vm->uploadAsync()));
    QCOMPARE(vm->categoryError(), QStringLiteral("Please select a category"));
    QCOMPARE(server.requestCount(), 0);
    QCOMPARE(vm->uploadStateName(), QStringLiteral("idle"));
}

void TestUploadViewModel::successfulUploadClimbsPollsAndClearsForm()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    auto accepted = envelope(R"({"job_id":"job-7","message":"Queued"})");
    accepted.delayMs = 250; // long enough for the estimate to reach its ceiling
    server.on("POST", "/api/uploads/wallpaper", accepted);
    server.on("GET", "/api/uploads/my-uploads", envelope(wallpapers({"mine1", "mine2"})));
    server.enqueue(status("processing"));
    server.enqueue(status("completed"));

    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(m_good)));
    vm->setTitle("\tBeach day ");
    vm->setDescription(" Warm ");
    vm->setCategoryId("c1");
    vm->addTag("sand");
    QList<double> progress;
    connect(vm, &UploadViewModel::uploadProgressChanged, vm, [&] { progress.append(vm->uploadProgress()); });
    QStringList states;
    connect(vm, &UploadViewModel::uploadStateChanged, vm, [&] { states.append(vm->uploadStateName()); });

    auto task = vm->uploadAsync();
    QVERIFY(!vm->canUpload());
    QVERIFY(TestSupport::waitFor(task));

    QCOMPARE(states, QStringList({"uploading", "processing", "success"}));
    QVERIFY(progress.size() >= 19);
    for (int i = 0; i < 18; ++i)
        QCOMPARE(progress.at(i), (i + 1) * 5 / 100.0);
    QCOMPARE(progress.at(18), 1.0);
    QCOMPARE(vm->processingJobId(), QStringLiteral("job-7"));

    QVERIFY(!vm->hasSelectedFile());
    QVERIFY(vm->title().isEmpty());
    QVERIFY(vm->description().isEmpty());
    QVERIFY(vm->tags().isEmpty());
    QCOMPARE(vm->categoryId(), QStringLiteral("c1"));
    QCOMPARE(vm->myUploads()->count(), 2);

    const auto &requests = server.requests();
    QCOMPARE(requests.first().method, QByteArray("POST"));
    QVERIFY(requests.first().body.contains("\r\n\r\nBeach day\r\n"));
    QVERIFY(requests.first().body.contains("\r\n\r\nWarm\r\n"));
    QVERIFY(requests.first().body.contains("MACHINE-1"));
    QCOMPARE(countPath(server, "/api/uploads/status/job-7"), 2);
    QCOMPARE(queryValue(requests.last(), "machine_id"), QStringLiteral("MACHINE-1"));
}

void TestUploadViewModel::processingFailureMessages()
{
    for (const auto &[message, expected] :
         {std::pair{QByteArray("null"), QStringLiteral("Processing failed")},
          std::pair{QByteArray("\"Image rejected\""), QStringLiteral("Image rejected")}}) {
        ScriptedHttpServer server;
        APIClient api(apiBase(server));
        server.on("POST", "/api/uploads/wallpaper", envelope(R"({"job_id":"j","message":"ok"})"));
        server.enqueue(status("failed", message));
        QObject owner;
        UploadViewModel *vm = make(api, &owner);
        QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(m_good)));
        vm->setCategoryId("c1");
        QVERIFY(finish(vm->uploadAsync()));
        QCOMPARE(vm->uploadStateName(), QStringLiteral("failed"));
        QCOMPARE(vm->uploadStateMessage(), expected);
        QVERIFY(vm->hasSelectedFile()); // the form stays for another try
        vm->resetState();
        QCOMPARE(vm->uploadStateName(), QStringLiteral("idle"));
    }
}

void TestUploadViewModel::pollGivesUpAtTheDeadline()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    server.on("POST", "/api/uploads/wallpaper", envelope(R"({"job_id":"slow","message":"ok"})"));
    server.on("GET", "/api/uploads/status/slow", status("processing"));
    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(m_good)));
    vm->setCategoryId("c1");
    QElapsedTimer clock;
    clock.start();
    QVERIFY(finish(vm->uploadAsync()));
    QVERIFY(clock.elapsed() >= fastTiming().pollDeadlineMs);
    QCOMPARE(vm->uploadStateMessage(), QStringLiteral("Processing timed out. Please try again."));
    QVERIFY(countPath(server, "/api/uploads/status/slow") >= 2);
}

void TestUploadViewModel::failedUploadStopsTheTicker()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    auto broken = ScriptedHttpServer::Response::json("", 500);
    broken.delayMs = 30;
    server.on("POST", "/api/uploads/wallpaper", broken);
    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    QCoro::waitFor(vm->loadFileAsync(QUrl::fromLocalFile(m_good)));
    vm->setCategoryId("c1");
    QVERIFY(finish(vm->uploadAsync()));
    QCOMPARE(vm->uploadStateMessage(), QStringLiteral("Server error (500)"));
    const double stopped = vm->uploadProgress();
    QVERIFY(stopped < 0.9);
    QTest::qWait(150);
    QCOMPARE(vm->uploadProgress(), stopped);
    QCOMPARE(countPath(server, "/api/uploads/status/"), 0);
}

void TestUploadViewModel::categoriesLoadedOnceAndFailuresSilent()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    server.on("GET", "/api/categories", ScriptedHttpServer::Response::json("", 500));
    server.on("GET", "/api/uploads/my-uploads", ScriptedHttpServer::Response::json("", 500));
    QVERIFY(finish(vm->loadCategoriesAsync()));
    QVERIFY(vm->categories().isEmpty());
    QVERIFY(finish(vm->loadMyUploadsAsync()));
    QCOMPARE(vm->myUploads()->count(), 0);

    server.on("GET", "/api/categories", envelope(categories(2)));
    QVERIFY(finish(vm->loadCategoriesAsync()));
    QCOMPARE(vm->categories().size(), 2);
    QVERIFY(finish(vm->loadCategoriesAsync()));
    QCOMPARE(countPath(server, "/api/categories"), 2); // the failure, then one load
}

void TestUploadViewModel::tagRules()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    vm->addTag("  Nature\t");
    vm->addTag("nature");
    vm->addTag("   ");
    vm->addTag("sea, sky");
    QCOMPARE(vm->tags(), QStringList({"nature", "sea, sky"}));
    vm->setTags({"a", "b", "a"});
    vm->removeTag("a");
    QCOMPARE(vm->tags(), QStringList{"b"});
    QSignalSpy dialog(vm, &UploadViewModel::fileDialogRequested);
    vm->selectFile();
    QCOMPARE(dialog.count(), 1);
}

void TestUploadViewModel::myUploadsFollowTheCategoriesAndOnlyTheNewestLands()
{
    ScriptedHttpServer server;
    APIClient api(apiBase(server));
    QObject owner;
    UploadViewModel *vm = make(api, &owner);
    // An empty category list still leads straight on to the uploads.
    server.on("GET", "/api/categories", envelope("[]"));
    server.enqueue(envelope(wallpapers({"first"})));
    QVERIFY(finish(vm->loadAsync()));
    QCOMPARE(countPath(server, "/api/uploads/my-uploads"), 1);
    QCOMPARE(vm->myUploads()->wallpapers().first().id(), QStringLiteral("first"));

    server.enqueue(envelope(wallpapers({"older"}), 200)); // the first refresh answers slowly
    server.enqueue(envelope(wallpapers({"newer"})));
    auto older = vm->loadMyUploadsAsync();
    QVERIFY(TestSupport::waitUntil([&] { return countPath(server, "/api/uploads/my-uploads") == 2; }));
    QVERIFY(finish(vm->loadMyUploadsAsync()));
    QVERIFY(TestSupport::waitFor(older));
    QTest::qWait(300); // past the older answer
    QCOMPARE(vm->myUploads()->wallpapers().first().id(), QStringLiteral("newer"));
}

QTEST_GUILESS_MAIN(TestUploadViewModel)
#include "tst_vm_upload.moc"
