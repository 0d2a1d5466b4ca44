// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/UploadViewModel.h"
#include "viewmodels/SetIfChanged.h"
#include "services/APIClient.h"
#include "services/DeviceIdentity.h"
#include "viewmodels/ErrorText.h"
#include "viewmodels/WallpaperListModel.h"

#include <QCoroFuture>
#include <QCoroTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPromise>
#include <QThreadPool>
#include <QDir>
#include <QStandardPaths>
#include <chrono>
#include <cmath>

namespace {

// Characters as the user counts them: a letter outside the BMP or an emoji is one, not two.
qsizetype characterCount(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()))
            ++count;
    }
    return count;
}

// Spaces and tabs only: a line break the user typed stays part of the text.
QString trimSpacesAndTabs(const QString &text)
{
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (end > begin && blank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString localPath(const QUrl &url)
{
    if (url.isLocalFile())
        return url.toLocalFile();
    if (url.scheme().isEmpty())
        return url.path();
    return {};
}

// Size the decode check scales to: enough to prove the pixels decode, far too small to cost.
constexpr int probeEdge = 64;

} // namespace

UploadViewModel::UploadViewModel(QObject *parent)
    : UploadViewModel(APIClient::shared(), [] { return DeviceIdentity::shared().machineId(); }, Timing{}, parent)
{
}

UploadViewModel::UploadViewModel(APIClient &api, MachineIdProvider machineId, Timing timing, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_machineId(std::move(machineId))
    , m_timing(timing)
    , m_myUploads(new WallpaperListModel(this))
{
}

UploadViewModel::~UploadViewModel()
{
    m_scopes.cancel();
}

QString UploadViewModel::selectedFileName() const
{
    return m_selectedFileURL.isEmpty() ? QString() : QFileInfo(localPath(m_selectedFileURL)).fileName();
}

QString UploadViewModel::imageResolutionText() const
{
    if (m_imageResolution.isEmpty())
        return {};
    return QString::number(qint64(m_imageResolution.width())) + QStringLiteral("\u00D7")
           + QString::number(qint64(m_imageResolution.height()));
}

void UploadViewModel::setTitle(const QString &title)
{
    if (!setIfChanged(m_title, title, this, &UploadViewModel::titleChanged))
        return;
    updateCanUpload();
}

void UploadViewModel::setDescription(const QString &description)
{
    setIfChanged(m_description, description, this, &UploadViewModel::descriptionChanged);
}

void UploadViewModel::setCategoryId(const QString &categoryId)
{
    if (!setIfChanged(m_categoryId, categoryId, this, &UploadViewModel::categoryIdChanged))
        return;
    updateCanUpload();
}

void UploadViewModel::setTags(const QStringList &tags)
{
    setIfChanged(m_tags, tags, this, &UploadViewModel::tagsChanged);
}

void UploadViewModel::setState(const UploadState &state)
{
    if (!setIfChanged(m_uploadState, state, this, &UploadViewModel::uploadStateChanged))
        return;
    updateCanUpload();
}

QVariantList UploadViewModel::categoriesVariants() const
{
    QVariantList list;
    list.reserve(m_categories.size());
    for (const Category &c : m_categories)
        list.append(QVariant::fromValue(c));
    return list;
}

bool UploadViewModel::canUpload() const
{
    return hasSelectedFile() && characterCount(m_title) >= minTitleLength && !m_categoryId.isEmpty() && !m_uploadState.isBusy();
}

void UploadViewModel::selectFile()
{
    Q_EMIT fileDialogRequested();
}

namespace {
// What a picked file's header and pixels say: its size, or why it cannot be uploaded.
struct FileProbe {
    QSize size;
    QString error;
};

// The dimensions come from the header and the pixels are decoded at a thumbnail's size, so a
// large picture is never held in memory at full size. Runs on a worker thread: even that decode
// takes a noticeable part of a second for a large PNG or HEIC.
FileProbe probeImage(const QString &path)
{
    QImageReader reader(path);
    if (!reader.canRead())
        return {{}, QStringLiteral("Could not load image")};
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {{}, QStringLiteral("Could not read image dimensions")};
    reader.setScaledSize(size.scaled(probeEdge, probeEdge, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    if (reader.read().isNull())
        return {{}, QStringLiteral("Could not load image")};
    return {size, {}};
}

QFuture<FileProbe> probeImageInBackground(const QString &path)
{
    auto promise = std::make_shared<QPromise<FileProbe>>();
    QFuture<FileProbe> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, path] {
        promise->addResult(probeImage(path));
        promise->finish();
    });
    return future;
}
} // namespace

void UploadViewModel::loadFile(const QUrl &url)
{
    loadFileAsync(url);
}

QCoro::Task<void> UploadViewModel::loadFileAsync(QUrl url)
{
    // A file picked while the previous one is still being checked replaces it.
    auto ticket = m_fileSlot.start();
    setValidationError({});
    const QString path = localPath(url);
    const QString extension = QFileInfo(path.isEmpty() ? url.path() : path).suffix().toLower();
    static const QStringList accepted{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                                      QStringLiteral("heic")};
    if (!accepted.contains(extension)) {
        setValidationError(QStringLiteral("Only JPG, PNG, and HEIC files are supported"));
        co_return;
    }
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        setValidationError(QStringLiteral("Could not read file"));
        co_return;
    }
    if (info.size() > maxFileBytes) {
        setValidationError(QStringLiteral("File size must be under 50MB"));
        co_return;
    }

    const FileProbe probe = co_await probeImageInBackground(path);
    if (!ticket.isCurrent())
        co_return;
    if (!probe.error.isEmpty()) {
        setValidationError(probe.error);
        co_return;
    }
    const QSize size = probe.size;
    if (size.width() < minWidth || size.height() < minHeight) {
        setValidationError(QStringLiteral("Image must be at least %1\u00D7%2 pixels (got %3\u00D7%4)")
                               .arg(minWidth)
                               .arg(minHeight)
                               .arg(size.width())
                               .arg(size.height()));
        co_return;
    }

    setSelectedFile(QUrl::fromLocalFile(info.absoluteFilePath()), QSizeF(size));
    if (m_title.isEmpty()) {
        QString title = info.completeBaseName();
        title.replace(QLatin1Char('_'), QLatin1Char(' '));
        title.replace(QLatin1Char('-'), QLatin1Char(' '));
        setTitle(title);
    }
}

void UploadViewModel::clearFile()
{
    forgetFile();
    setState(UploadState::idle());
}

void UploadViewModel::forgetFile()
{
    m_fileSlot.abort(); // a file still being checked must not appear after this
    setSelectedFile({}, {});
    setValidationError({});
    setUploadProgress(0);
}

bool UploadViewModel::validate()
{
    // Both field messages are decided afresh on every check.
    QString titleError;
    if (characterCount(trimSpacesAndTabs(m_title)) < minTitleLength)
        titleError = QStringLiteral("Title must be at least %1 characters").arg(minTitleLength);
    if (characterCount(m_title) > maxTitleLength)
        titleError = QStringLiteral("Title must be under %1 characters").arg(maxTitleLength);
    setTitleError(titleError);
    setCategoryError(m_categoryId.isEmpty() ? QStringLiteral("Please select a category") : QString());
    return m_titleError.isEmpty() && m_categoryError.isEmpty();
}

void UploadViewModel::resetState()
{
    setState(UploadState::idle());
}

void UploadViewModel::addTag(const QString &text)
{
    const QString tag = trimSpacesAndTabs(text).toLower();
    if (tag.isEmpty() || m_tags.contains(tag))
        return;
    setTags(m_tags + QStringList{tag});
}

void UploadViewModel::removeTag(const QString &tag)
{
    QStringList tags = m_tags;
    tags.removeAll(tag);
    setTags(tags);
}

void UploadViewModel::upload()
{
    uploadAsync();
}

QCoro::Task<void> UploadViewModel::uploadAsync()
{
    // One submission at a time, even when called past the hidden button.
    if (!hasSelectedFile() || m_uploadState.isBusy())
        co_return;
    if (!validate())
        co_return;
    const CancellationToken alive = m_scopes.root();
    setState(UploadState::uploading());
    setUploadProgress(0);

    const CancellationToken ticker = m_scopes.child();
    runTicker(ticker);

    std::optional<QString> description = trimSpacesAndTabs(m_description);
    try {
        const UploadResponse response =
            co_await m_api.uploadWallpaper(localPath(m_selectedFileURL), trimSpacesAndTabs(m_title), description,
                                           m_categoryId, m_tags, m_machineId(), alive);
        if (alive->isCancelled())
            co_return;
        ticker->cancel();
        setUploadProgress(1.0);
        setProcessingJobId(response.jobId);
        setState(UploadState::processing());
    } catch (const std::exception &e) {
        if (alive->isCancelled())
            co_return;
        // The estimate must not keep climbing behind a failed upload.
        ticker->cancel();
        setState(UploadState::failed(errorText(e)));
        co_return;
    }
    co_await pollProcessing();
}

QCoro::Task<void> UploadViewModel::runTicker(CancellationToken ticker)
{
    const CancellationToken alive = m_scopes.root();
    while (!ticker->isCancelled() && m_uploadProgress < 0.9) {
        co_await QCoro::sleepFor(std::chrono::milliseconds(m_timing.tickerMs));
        if (ticker->isCancelled() || alive->isCancelled())
            co_return;
        // Whole hundredths, so eighteen steps land on 0.9 exactly.
        const double next = std::round((m_uploadProgress + 0.05) * 100) / 100;
        setUploadProgress(std::min(next, 0.9));
    }
}

QCoro::Task<void> UploadViewModel::pollProcessing()
{
    if (m_processingJobId.isEmpty())
        co_return;
    const CancellationToken alive = m_scopes.root();
    const QString jobId = m_processingJobId;
    QElapsedTimer started;
    started.start();
    while (started.elapsed() < m_timing.pollDeadlineMs) {
        co_await QCoro::sleepFor(std::chrono::milliseconds(m_timing.pollMs));
        if (alive->isCancelled())
            co_return;
        ProcessingStatus status;
        try {
            status = co_await m_api.fetchUploadStatus(jobId, alive);
        } catch (const std::exception &e) {
            if (alive->isCancelled())
                co_return;
            setState(UploadState::failed(errorText(e)));
            co_return;
        }
        if (alive->isCancelled())
            co_return;
        if (status.status == QLatin1String("completed")) {
            setState(UploadState::success());
            forgetFile();
            setTitle({});
            setDescription({});
            setTags({});
            co_await loadMyUploadsAsync();
            co_return;
        }
        if (status.status == QLatin1String("failed")) {
            setState(UploadState::failed(status.message.value_or(QStringLiteral("Processing failed"))));
            co_return;
        }
    }
    setState(UploadState::failed(QStringLiteral("Processing timed out. Please try again.")));
}

QUrl UploadViewModel::picturesFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QUrl::fromLocalFile(folder);
}

void UploadViewModel::load()
{
    loadAsync();
}

QCoro::Task<void> UploadViewModel::loadAsync()
{
    const CancellationToken alive = m_scopes.root();
    co_await loadCategoriesAsync();
    // The list of uploads is asked for whether or not the categories came.
    if (alive->isCancelled())
        co_return;
    co_await loadMyUploadsAsync();
}

void UploadViewModel::loadCategories()
{
    loadCategoriesAsync();
}

QCoro::Task<void> UploadViewModel::loadCategoriesAsync()
{
    if (!m_categories.isEmpty())
        co_return;
    const CancellationToken alive = m_scopes.root();
    try {
        const QList<Category> categories = co_await m_api.fetchCategories(alive);
        if (alive->isCancelled())
            co_return;
        m_categories = categories;
        Q_EMIT categoriesChanged();
    } catch (const std::exception &) {
        // The picker stays empty; the next call asks again.
    }
}

void UploadViewModel::loadMyUploads()
{
    loadMyUploadsAsync();
}

QCoro::Task<void> UploadViewModel::loadMyUploadsAsync()
{
    // A newer refresh aborts this one, so an older, slower answer never overwrites it.
    auto ticket = m_myUploadsSlot.start();
    try {
        const QList<Wallpaper> uploads = co_await m_api.fetchMyUploads(m_machineId(), ticket.token());
        if (!ticket.isCurrent())
            co_return;
        m_myUploads->setWallpapers(uploads);
    } catch (const std::exception &) {
        // The list keeps what it showed.
    }
}

void UploadViewModel::setSelectedFile(const QUrl &url, QSizeF resolution)
{
    if (m_selectedFileURL != url) {
        m_selectedFileURL = url;
        Q_EMIT selectedFileChanged();
    }
    if (m_imageResolution != resolution) {
        m_imageResolution = resolution;
        Q_EMIT imageResolutionChanged();
    }
    updateCanUpload();
}

void UploadViewModel::setUploadProgress(double progress)
{
    setIfChanged(m_uploadProgress, progress, this, &UploadViewModel::uploadProgressChanged);
}

void UploadViewModel::setProcessingJobId(const QString &jobId)
{
    setIfChanged(m_processingJobId, jobId, this, &UploadViewModel::processingJobIdChanged);
}

void UploadViewModel::setValidationError(const QString &error)
{
    setIfChanged(m_validationError, error, this, &UploadViewModel::validationErrorChanged);
}

void UploadViewModel::setTitleError(const QString &error)
{
    setIfChanged(m_titleError, error, this, &UploadViewModel::titleErrorChanged);
}

void UploadViewModel::setCategoryError(const QString &error)
{
    setIfChanged(m_categoryError, error, this, &UploadViewModel::categoryErrorChanged);
}

void UploadViewModel::updateCanUpload()
{
    const bool can = canUpload();
    setIfChanged(m_canUpload, can, this, &UploadViewModel::canUploadChanged);
}
