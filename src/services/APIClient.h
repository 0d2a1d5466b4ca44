// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Category.h"
#include "models/Wallpaper.h"
#include "services/APIError.h"
#include "services/APIResponse.h"
#include "services/CancellationScope.h"
#include "services/PaginatedResponse.h"
#include "services/ProcessingStatus.h"
#include "services/UploadResponse.h"
#include "services/WallpaperDownload.h"

#include <QByteArray>
#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QCoroTask>
#include <optional>

class QNetworkAccessManager;

// The one client of the catalogue service. Every operation is a coroutine that returns the
// decoded records or throws: APIError, DecodingError, TransportError (Qt's error text) or, for
// the upload, FileError. The optional CancellationToken aborts the request when cancelled.
class APIClient : public QObject
{
    Q_OBJECT

public:
    using QueryItems = QList<QPair<QString, QString>>;

    // `manager` is used when given (not owned); otherwise the client makes its own.
    explicit APIClient(QUrl baseURL, QNetworkAccessManager *manager = nullptr, QObject *parent = nullptr);
    ~APIClient() override;

    // Base URL from LUMIVANE_API_BASE_URL in the environment (plain http only for loopback),
    // else the build-time constant.
    static APIClient &shared();
    static QUrl defaultBaseUrl();

    QUrl baseURL() const { return m_baseURL; }

    // "/api" + path as path segments (percent-encoded), query items in order, 60 s transfer
    // timeout, Content-Type application/json.
    QNetworkRequest makeRequest(const QString &path, const QueryItems &queryItems = {}) const;

    QCoro::Task<PaginatedResponse<Wallpaper>> fetchWallpapers(int page, int limit,
                                                              std::optional<QString> categoryId = std::nullopt,
                                                              std::optional<QString> sort = std::nullopt,
                                                              std::optional<QString> search = std::nullopt,
                                                              CancellationToken cancel = {});
    QCoro::Task<QList<Wallpaper>> fetchFeatured(CancellationToken cancel = {});
    QCoro::Task<QList<Category>> fetchCategories(CancellationToken cancel = {});
    QCoro::Task<Wallpaper> fetchWallpaper(QString id, CancellationToken cancel = {});
    QCoro::Task<WallpaperDownload> fetchDownloadInfo(QString id, CancellationToken cancel = {});
    QCoro::Task<void> recordView(QString id, CancellationToken cancel = {});
    QCoro::Task<UploadResponse> uploadWallpaper(QString filePath, QString title, std::optional<QString> description,
                                                QString categoryId, QStringList tags, QString machineId,
                                                CancellationToken cancel = {});
    QCoro::Task<ProcessingStatus> fetchUploadStatus(QString jobId, CancellationToken cancel = {});
    QCoro::Task<QList<Wallpaper>> fetchMyUploads(QString machineId, CancellationToken cancel = {});

    // The multipart body of an upload, byte for byte (exposed for tests).
    static QByteArray multipartBody(const QString &boundary, const QString &title,
                                    const std::optional<QString> &description, const QString &categoryId,
                                    const QStringList &tags, const QString &machineId, const QString &fileName,
                                    const QByteArray &fileBytes);

private:
    // Sends and waits for the whole body; maps non-2xx to APIError; returns the 2xx body.
    QCoro::Task<QByteArray> send(QNetworkRequest request, QByteArray method, QByteArray body, CancellationToken cancel);

    QUrl m_baseURL;
    QNetworkAccessManager *m_manager;
    bool m_ownsManager;
};
