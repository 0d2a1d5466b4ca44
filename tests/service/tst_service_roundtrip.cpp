// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The app's own client against a real `lumivane-service serve`: every endpoint the client
// calls, decoded through the same code the app uses, and the whole upload → review → listed road.
#include "models/AppError.h"
#include "models/ImageAddress.h"
#include "services/APIClient.h"
#include "services/APIError.h"
#include "TestSupport.h"

#include <QColor>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TestSupport::errorText;

QString serviceBinary()
{
    return qEnvironmentVariable("LUMIVANE_SERVICE_BIN");
}

// The command's arguments, naming the PostgreSQL database when the test runs on one.
QStringList onCatalogue(QStringList arguments)
{
    const QString database = qEnvironmentVariable("LUMIVANE_SERVICE_DATABASE");
    if (!database.isEmpty()) arguments << QStringLiteral("--database") << database;
    return arguments;
}

// Runs a service command to completion; its stdout, or a test failure text on a bad exit.
QString runService(const QStringList &arguments, bool *ok)
{
    QProcess process;
    process.start(serviceBinary(), onCatalogue(arguments));
    *ok = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// A gradient with some structure, so the JPEG is a real photo-sized file, not a flat block.
QString writeUploadImage(const QString &folder, const QString &name, const char *format, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(20, 60, 140));
    gradient.setColorAt(1, QColor(230, 140, 60));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::white, 9));
    for (int x = 0; x < size.width(); x += 160)
        painter.drawLine(x, 0, size.width() - x, size.height());
    painter.end();
    const QString path = folder + u'/' + name;
    return image.save(path, format, 85) ? path : QString();
}

QByteArray httpGet(QNetworkAccessManager &manager, const QUrl &url, int *status)
{
    std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(url)));
    TestSupport::waitUntil([&] { return reply->isFinished(); });
    *status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return reply->readAll();
}

// The app polls every 2 s; a tenth of that keeps the test short. Processing is a few seconds at most.
ProcessingStatus waitForFinalState(APIClient &client, const QString &jobId)
{
    ProcessingStatus state;
    QDeadlineTimer deadline(90000);
    do {
        state = TestSupport::run(client.fetchUploadStatus(jobId));
        if (state.status == u"completed" || state.status == u"failed")
            break;
        QTest::qWait(200);
    } while (!deadline.hasExpired());
    return state;
}

bool isJpeg(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArray("\xFF\xD8\xFF", 3));
}

} // namespace

class TestServiceRoundTrip : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void categoriesAndPagedListsWithFilters();
    void featuredDetailDownloadAndView();
    void uploadIsProcessedReviewedAndListed();
    void rejectedUploadsReportTheServiceMessage();
    void seededThumbnailsShowAPicture();

private:
    QTemporaryDir m_data;
    QTemporaryDir m_files;
    QProcess m_serve;
    QString m_origin;
    std::unique_ptr<APIClient> m_client;
    QNetworkAccessManager m_images;
};

void TestServiceRoundTrip::initTestCase()
{
    QVERIFY2(QFileInfo(serviceBinary()).isExecutable(), qPrintable(serviceBinary()));
    QVERIFY(m_data.isValid() && m_files.isValid());
    bool ok = false;
    // Background folders hold real pictures beside tiny flat fills (GNOME's "vnc" ones, copied
    // when installed); only the pictures may become wallpapers.
    QVERIFY(QDir().mkpath(m_files.path() + QStringLiteral("/backgrounds")));
    const QString backgrounds = m_files.path() + QStringLiteral("/backgrounds");
    QVERIFY(!writeUploadImage(backgrounds, QStringLiteral("photo.png"), "PNG", QSize(1920, 1200)).isEmpty());
    QImage flat(2560, 1600, QImage::Format_RGB32);
    flat.fill(QColor(46, 52, 64));
    QVERIFY(flat.save(backgrounds + QStringLiteral("/flat.png")));
    for (const char *name : {"vnc-d.webp", "vnc-l.webp"})
        QFile::copy(QStringLiteral("/usr/share/backgrounds/gnome/") + QLatin1String(name), backgrounds + u'/' + QLatin1String(name));
    const QString seedOutput = runService({"seed", "--data", m_data.path(), "--small", "--from", backgrounds}, &ok);
    QVERIFY2(ok, qPrintable(seedOutput));
    QVERIFY2(seedOutput.contains(QStringLiteral("flat.png: a single flat colour")) && !seedOutput.contains(QStringLiteral("photo.png")),
             qPrintable(seedOutput));

    m_serve.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_serve.start(serviceBinary(), onCatalogue({"serve", "--data", m_data.path(), "--port", "0"}));
    QVERIFY(m_serve.waitForStarted());
    QVERIFY(TestSupport::waitUntil([&] { return m_serve.canReadLine(); }, 20000));
    const QString line = QString::fromUtf8(m_serve.readLine()).trimmed();
    const auto match = QRegularExpression(QStringLiteral("^listening on (\\S+:\\d+)$")).match(line);
    QVERIFY2(match.hasMatch(), qPrintable(line));
    m_origin = QStringLiteral("http://") + match.captured(1);

    m_client = std::make_unique<APIClient>(QUrl(m_origin + QStringLiteral("/api")));
    ImageAddress::setBaseURL(m_origin + QStringLiteral("/images/"));
}

void TestServiceRoundTrip::cleanupTestCase()
{
    m_client.reset();
    if (m_serve.state() != QProcess::NotRunning) {
        m_serve.terminate();
        if (!m_serve.waitForFinished(10000))
            m_serve.kill();
        m_serve.waitForFinished(5000);
    }
}

void TestServiceRoundTrip::categoriesAndPagedListsWithFilters()
{
    const QList<Category> categories = TestSupport::run(m_client->fetchCategories());
    QVERIFY(categories.size() >= 8);
    int counted = 0;
    for (const Category &category : categories) {
        QVERIFY(category.isActive());
        QVERIFY(category.wallpaperCount().has_value());
        counted += *category.wallpaperCount();
    }

    const auto first = TestSupport::run(m_client->fetchWallpapers(1, 7));
    QVERIFY(first.pagination.has_value());
    const PaginationMeta meta = *first.pagination;
    QCOMPARE(meta.page.value_or(-1), 1);
    QCOMPARE(meta.limit.value_or(-1), 7);
    QCOMPARE(meta.total.value_or(-1), counted);
    QCOMPARE(meta.totalPages.value_or(-1), (counted + 6) / 7);
    QCOMPARE(first.data.size(), 7);
    for (qsizetype i = 1; i < first.data.size(); ++i)
        QVERIFY2(first.data[i - 1].createdAt() >= first.data[i].createdAt(), "newest first by default");

    // Pages do not overlap, and the last page holds the remainder.
    const auto second = TestSupport::run(m_client->fetchWallpapers(2, 7, std::nullopt, QStringLiteral("newest")));
    QCOMPARE(second.data.size(), 7);
    QSet<QString> seen;
    for (const auto &w : first.data + second.data)
        seen.insert(w.id());
    QCOMPARE(seen.size(), 14);
    const auto last = TestSupport::run(m_client->fetchWallpapers(*meta.totalPages, 7));
    QCOMPARE(last.data.size(), counted - 7 * (*meta.totalPages - 1));
    const auto beyond = TestSupport::run(m_client->fetchWallpapers(*meta.totalPages + 1, 7));
    QVERIFY(beyond.data.isEmpty());
    QCOMPARE(beyond.pagination->total.value_or(-1), counted);

    const Category &category = categories.first();
    const auto inCategory = TestSupport::run(m_client->fetchWallpapers(1, 100, category.id()));
    QCOMPARE(inCategory.pagination->total.value_or(-1), *category.wallpaperCount());
    QCOMPARE(inCategory.data.size(), *category.wallpaperCount());
    for (const Wallpaper &w : inCategory.data) {
        QCOMPARE(w.categoryId().value_or(QString()), category.id());
        QVERIFY(w.category().has_value());
        QCOMPARE(w.category()->name(), category.name());
        QCOMPARE(w.status(), WallpaperStatus::approved);
    }

    const auto popular = TestSupport::run(m_client->fetchWallpapers(1, 30, std::nullopt, QStringLiteral("popular")));
    QCOMPARE(popular.data.size(), 30);
    for (qsizetype i = 1; i < popular.data.size(); ++i) {
        const auto score = [](const Wallpaper &w) { return w.downloadCount() + w.viewCount(); };
        QVERIFY2(score(popular.data[i - 1]) >= score(popular.data[i]), qPrintable(popular.data[i].id()));
    }
    const auto trending = TestSupport::run(m_client->fetchWallpapers(1, 5, std::nullopt, QStringLiteral("trending")));
    QCOMPARE(trending.data.size(), 5);

    // Search matches title, description or tags, whole words by prefix, and combines with a category.
    const auto quiet = TestSupport::run(m_client->fetchWallpapers(1, 100, std::nullopt, std::nullopt, QStringLiteral("quiet")));
    QVERIFY(!quiet.data.isEmpty());
    QCOMPARE(quiet.pagination->total.value_or(-1), quiet.data.size());
    for (const Wallpaper &w : quiet.data) {
        const QString text = w.title() + u' ' + w.descriptionText() + u' ' + w.tags().join(u' ');
        QVERIFY2(text.contains(QStringLiteral("quiet"), Qt::CaseInsensitive), qPrintable(text));
    }
    const QString categoryOfHit = *quiet.data.first().categoryId();
    const auto narrowed = TestSupport::run(m_client->fetchWallpapers(1, 100, categoryOfHit, std::nullopt, QStringLiteral("quiet")));
    QVERIFY(!narrowed.data.isEmpty());
    QVERIFY(narrowed.data.size() <= quiet.data.size());
    for (const Wallpaper &w : narrowed.data)
        QCOMPARE(w.categoryId().value_or(QString()), categoryOfHit);
    const auto none = TestSupport::run(m_client->fetchWallpapers(1, 20, std::nullopt, std::nullopt, QStringLiteral("zzqx \"OR* (")));
    QVERIFY(none.data.isEmpty());
    QCOMPARE(none.pagination->total.value_or(-1), 0);
}

void TestServiceRoundTrip::featuredDetailDownloadAndView()
{
    const QList<Wallpaper> featured = TestSupport::run(m_client->fetchFeatured());
    QVERIFY(!featured.isEmpty());
    for (qsizetype i = 0; i < featured.size(); ++i) {
        QVERIFY(featured[i].isFeatured());
        QVERIFY(featured[i].featuredOrder().has_value());
        if (i > 0)
            QVERIFY(*featured[i - 1].featuredOrder() <= *featured[i].featuredOrder());
    }

    const Wallpaper chosen = featured.first();
    const Wallpaper detail = TestSupport::run(m_client->fetchWallpaper(chosen.id()));
    QCOMPARE(detail.id(), chosen.id());
    QCOMPARE(detail.title(), chosen.title());
    QCOMPARE(detail.width(), chosen.width());

    // Every image address the app forms resolves on the image host.
    int status = 0;
    for (const QUrl &url : {detail.thumbnailURL(), detail.previewURL(), detail.fullImageURL()}) {
        QVERIFY2(url.toString().startsWith(m_origin + QStringLiteral("/images/")), qPrintable(url.toString()));
        QVERIFY(isJpeg(httpGet(m_images, url, &status)));
        QCOMPARE(status, 200);
    }

    const WallpaperDownload download = TestSupport::run(m_client->fetchDownloadInfo(chosen.id()));
    QVERIFY2(download.url.startsWith(m_origin + QStringLiteral("/images/")), qPrintable(download.url));
    QVERIFY2(QRegularExpression(QStringLiteral("^[a-z0-9-]+-\\d+x\\d+\\.jpg$")).match(download.filename).hasMatch(),
             qPrintable(download.filename));
    const QByteArray file = httpGet(m_images, QUrl(download.url), &status);
    QCOMPARE(status, 200);
    QVERIFY(isJpeg(file));
    QCOMPARE(QImage::fromData(file).size(), QSize(detail.width(), detail.height()));

    TestSupport::run(m_client->recordView(chosen.id()));
    const Wallpaper after = TestSupport::run(m_client->fetchWallpaper(chosen.id()));
    QCOMPARE(after.viewCount(), detail.viewCount() + 1);
    QCOMPARE(after.downloadCount(), detail.downloadCount() + 1);
    const auto trending = TestSupport::run(m_client->fetchWallpapers(1, 1, std::nullopt, QStringLiteral("trending")));
    QCOMPARE(trending.data.first().id(), chosen.id());

    // Unknown ids come back as the service's own message, and an id with query characters stays one segment.
    QCOMPARE(errorText(m_client->fetchWallpaper(QStringLiteral("no-such-id"))), QStringLiteral("Wallpaper not found"));
    QCOMPARE(errorText(m_client->fetchWallpaper(chosen.id() + QStringLiteral("?x=1"))), QStringLiteral("Wallpaper not found"));
    QCOMPARE(errorText(m_client->fetchDownloadInfo(QStringLiteral("no-such-id"))), QStringLiteral("Wallpaper not found"));
    QCOMPARE(errorText(m_client->recordView(QStringLiteral("no-such-id"))), QStringLiteral("Wallpaper not found"));
    QCOMPARE(errorText(m_client->fetchUploadStatus(QStringLiteral("no-such-job"))), QStringLiteral("Upload job not found"));
}

void TestServiceRoundTrip::uploadIsProcessedReviewedAndListed()
{
    const QString machine = QStringLiteral("ROUND-TRIP-DEVICE-0001");
    const QList<Category> categories = TestSupport::run(m_client->fetchCategories());
    const Category category = categories.at(1);
    QVERIFY(TestSupport::run(m_client->fetchMyUploads(machine)).isEmpty());

    const QString path = writeUploadImage(m_files.path(), QStringLiteral("harbour lights.jpg"), "JPEG", QSize(2560, 1600));
    QVERIFY(!path.isEmpty());
    const UploadResponse accepted = TestSupport::run(m_client->uploadWallpaper(
        path, QStringLiteral("Harbour Lights"), QStringLiteral("Lamps along a quayside"), category.id(),
        {QStringLiteral("harbour"), QStringLiteral("night")}, machine));
    QVERIFY(!accepted.jobId.isEmpty());
    QVERIFY(!accepted.message.isEmpty());

    const ProcessingStatus state = waitForFinalState(*m_client, accepted.jobId);
    QCOMPARE(state.status, QStringLiteral("completed"));
    QVERIFY(state.message.has_value());
    QVERIFY(state.wallpaper.has_value());
    const Wallpaper created = *state.wallpaper;
    QCOMPARE(created.status(), WallpaperStatus::pending);
    QCOMPARE(created.title(), QStringLiteral("Harbour Lights"));
    QCOMPARE(created.descriptionText(), QStringLiteral("Lamps along a quayside"));
    QCOMPARE(QSize(created.width(), created.height()), QSize(2560, 1600));
    QCOMPARE(created.format(), WallpaperFormat::jpg);
    QCOMPARE(created.tags(), QStringList({"harbour", "night"}));
    QCOMPARE(created.categoryId().value_or(QString()), category.id());
    QCOMPARE(created.uploadedById().value_or(QString()), machine);
    int status = 0;
    QVERIFY(isJpeg(httpGet(m_images, created.thumbnailURL(), &status)));

    // Pending: the device sees it, the catalogue does not.
    const QList<Wallpaper> mine = TestSupport::run(m_client->fetchMyUploads(machine));
    QCOMPARE(mine.size(), 1);
    QCOMPARE(mine.first().id(), created.id());
    QCOMPARE(mine.first().status(), WallpaperStatus::pending);
    QVERIFY(TestSupport::run(m_client->fetchMyUploads(QStringLiteral("SOME-OTHER-DEVICE"))).isEmpty());
    QCOMPARE(errorText(m_client->fetchWallpaper(created.id())), QStringLiteral("Wallpaper not found"));
    const auto hidden = TestSupport::run(m_client->fetchWallpapers(1, 20, std::nullopt, std::nullopt, QStringLiteral("harbour")));
    QVERIFY(hidden.data.isEmpty());

    bool ok = false;
    const QString moderated = runService({"moderate", "--data", m_data.path(), "approve", created.id()}, &ok);
    QVERIFY2(ok, qPrintable(moderated));

    const Wallpaper listed = TestSupport::run(m_client->fetchWallpaper(created.id()));
    QCOMPARE(listed.status(), WallpaperStatus::approved);
    const auto found = TestSupport::run(m_client->fetchWallpapers(1, 20, std::nullopt, std::nullopt, QStringLiteral("harbour")));
    QCOMPARE(found.data.size(), 1);
    QCOMPARE(found.data.first().id(), created.id());
    const auto newest = TestSupport::run(m_client->fetchWallpapers(1, 1, category.id(), QStringLiteral("newest")));
    QCOMPARE(newest.data.first().id(), created.id());
    QCOMPARE(TestSupport::run(m_client->fetchMyUploads(machine)).first().status(), WallpaperStatus::approved);
    const WallpaperDownload download = TestSupport::run(m_client->fetchDownloadInfo(created.id()));
    QVERIFY(download.filename.startsWith(QStringLiteral("harbour-lights-2560x1600")));
}

void TestServiceRoundTrip::rejectedUploadsReportTheServiceMessage()
{
    const QString machine = QStringLiteral("REJECTS-DEVICE");
    const QString category = TestSupport::run(m_client->fetchCategories()).first().id();
    const QString small = writeUploadImage(m_files.path(), QStringLiteral("small.jpg"), "JPEG", QSize(1920, 1080));
    const QString big = writeUploadImage(m_files.path(), QStringLiteral("BIG.PNG"), "PNG", QSize(2560, 1600));
    const QString text = m_files.path() + QStringLiteral("/notes.jpg");
    {
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }

    QCOMPARE(errorText(m_client->uploadWallpaper(small, QStringLiteral("Too Small"), std::nullopt, category, {}, machine)),
             QStringLiteral("The image must be at least 2560x1600 pixels"));
    QCOMPARE(errorText(m_client->uploadWallpaper(text, QStringLiteral("Not An Image"), std::nullopt, category, {}, machine)),
             QStringLiteral("Only JPEG, PNG and HEIC images are accepted"));
    QCOMPARE(errorText(m_client->uploadWallpaper(big, QStringLiteral("Lost Category"), std::nullopt, QStringLiteral("cat-none"), {}, machine)),
             QStringLiteral("The category does not exist"));
    QCOMPARE(errorText(m_client->uploadWallpaper(big, QStringLiteral("ab"), std::nullopt, category, {}, machine)),
             QStringLiteral("The title must be 3 to 100 characters"));

    // A PNG named in capitals goes through, and none of the refusals left an upload behind.
    const UploadResponse accepted = TestSupport::run(
        m_client->uploadWallpaper(big, QStringLiteral("Capital Letters"), QString(), category, {}, machine));
    QVERIFY(!accepted.jobId.isEmpty());
    const ProcessingStatus state = waitForFinalState(*m_client, accepted.jobId);
    QCOMPARE(state.status, QStringLiteral("completed"));
    QCOMPARE(state.wallpaper->format(), WallpaperFormat::png);
    QVERIFY(!state.wallpaper->description().has_value());
    const QList<Wallpaper> mine = TestSupport::run(m_client->fetchMyUploads(machine));
    QCOMPARE(mine.size(), 1);
    QCOMPARE(mine.first().title(), QStringLiteral("Capital Letters"));
}

void TestServiceRoundTrip::seededThumbnailsShowAPicture()
{
    const auto all = TestSupport::run(m_client->fetchWallpapers(1, 100));
    QVERIFY(!all.data.isEmpty());
    QSet<QString> keys;
    for (const Wallpaper &w : all.data)
        if (w.status() == WallpaperStatus::approved)
            keys.insert(w.thumbnailKey().value_or(QString()));
    for (const QString &key : std::as_const(keys)) {
        int status = 0;
        const QImage image = QImage::fromData(httpGet(m_images, QUrl(m_origin + QStringLiteral("/images/") + key), &status));
        QCOMPARE(status, 200);
        QVERIFY2(!image.isNull(), qPrintable(key));
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7) {
                const QRgb p = image.pixel(x, y);
                const int channel[3] = {qRed(p), qGreen(p), qBlue(p)};
                for (int c = 0; c < 3; ++c) {
                    lo[c] = std::min(lo[c], channel[c]);
                    hi[c] = std::max(hi[c], channel[c]);
                }
            }
        const int spread = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
        QVERIFY2(spread > 12, qPrintable(QStringLiteral("%1 is a single flat colour").arg(key)));
    }
}

QTEST_MAIN(TestServiceRoundTrip)
#include "tst_service_roundtrip.moc"
