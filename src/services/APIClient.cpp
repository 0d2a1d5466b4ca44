// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/APIClient.h"
#include "config/BuildInfo.h"

#include "models/ImageAddress.h"
#include "services/EnvelopeDecoder.h"
#include "services/HttpFetch.h"

#include <QCoreApplication>
#include <QCoroNetworkReply>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUuid>
#include <memory>

namespace {
// The manager's 30 s default applies only to requests built elsewhere: every request this client
// sends carries the limits of FetchLimits::json() (60 s without progress, a deadline, a size).
constexpr int sessionTimeoutMs = 30'000;


QString fileContentType(const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("png"))
        return QStringLiteral("image/png");
    if (extension == QLatin1String("heic"))
        return QStringLiteral("image/heic");
    return QStringLiteral("image/jpeg");
}

// A quote, CR or LF would end the header value early; percent-encode them (as browsers do) so a
// legal file name can never corrupt the request.
QString headerSafeFileName(const QString &fileName)
{
    QString safe;
    safe.reserve(fileName.size());
    for (QChar c : fileName) {
        if (c == u'"')
            safe += QStringLiteral("%22");
        else if (c == u'\r')
            safe += QStringLiteral("%0D");
        else if (c == u'\n')
            safe += QStringLiteral("%0A");
        else
            safe += c;
    }
    return safe;
}

void appendTextPart(QByteArray &body, const QByteArray &boundary, const char *name, const QString &value)
{
    body += "--" + boundary + "\r\n";
    body += QByteArray("Content-Disposition: form-data; name=\"") + name + "\"\r\n\r\n";
    body += value.toUtf8() + "\r\n";
}

} // namespace

APIClient::APIClient(QUrl baseURL, QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent)
    , m_baseURL(std::move(baseURL))
    , m_manager(manager ? manager : new QNetworkAccessManager(this))
    , m_ownsManager(!manager)
{
    if (m_ownsManager)
        m_manager->setTransferTimeout(sessionTimeoutMs);
}

APIClient::~APIClient() = default;

APIClient &APIClient::shared()
{
    static APIClient *instance = new APIClient(defaultBaseUrl());
    return *instance;
}

QUrl APIClient::defaultBaseUrl()
{
    const QString fromEnvironment = qEnvironmentVariable("LUMIVANE_API_BASE_URL");
    if (!fromEnvironment.isEmpty() && ImageAddress::isAcceptableBaseUrl(fromEnvironment))
        return QUrl(fromEnvironment);
    return QUrl(QString::fromUtf8(BuildInfo::apiBaseUrl));
}

QNetworkRequest APIClient::makeRequest(const QString &path, const QueryItems &queryItems) const
{
    QUrl url = m_baseURL;
    QString basePath = url.path(QUrl::FullyDecoded);
    while (basePath.endsWith(u'/'))
        basePath.chop(1);
    QString relative = path;
    while (relative.startsWith(u'/'))
        relative.remove(0, 1);
    // Decoded mode: QUrl itself encodes what may not stand in a path ('?', '#', spaces, '%').
    url.setPath(basePath + u'/' + relative, QUrl::DecodedMode);
    if (!queryItems.isEmpty()) {
        QByteArray query;
        for (const auto &[key, value] : queryItems) {
            if (!query.isEmpty())
                query += '&';
            query += QUrl::toPercentEncoding(key) + '=' + QUrl::toPercentEncoding(value);
        }
        url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    } else {
        url.setQuery(QString());
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(FetchLimits::json().stallTimeoutMs);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    return request;
}

QCoro::Task<QByteArray> APIClient::send(QNetworkRequest request, QByteArray method, QByteArray body,
                                        CancellationToken cancel)
{
    const FetchResult answer = co_await HttpFetch::run(*m_manager, std::move(request), std::move(method),
                                                       std::move(body), FetchLimits::json(), std::move(cancel));
    if (answer.status == 0)
        throw APIError::invalidResponse();
    if (answer.status >= 200 && answer.status <= 299)
        co_return answer.body;

    std::optional<QString> serverMessage;
    try {
        serverMessage = EnvelopeDecoder::stringResponse(answer.body).message;
    } catch (const DecodingError &) {
    }
    if (serverMessage)
        throw APIError::server(*serverMessage);
    throw APIError::httpError(answer.status);
}

QCoro::Task<PaginatedResponse<Wallpaper>> APIClient::fetchWallpapers(int page, int limit,
                                                                     std::optional<QString> categoryId,
                                                                     std::optional<QString> sort,
                                                                     std::optional<QString> search,
                                                                     CancellationToken cancel)
{
    QueryItems query;
    query.append({QString::fromLatin1("page"), QString::number(page)});
    query.append({QString::fromLatin1("limit"), QString::number(limit)});
    if (categoryId)
        query.append({QStringLiteral("category_id"), *categoryId});
    if (sort)
        query.append({QStringLiteral("sort"), *sort});
    if (search)
        query.append({QStringLiteral("search"), *search});
    const QByteArray body = co_await send(makeRequest(QStringLiteral("/wallpapers"), query), QByteArrayLiteral("GET"), QByteArray(), cancel);
    co_return EnvelopeDecoder::wallpaperPage(body);
}

QCoro::Task<QList<Wallpaper>> APIClient::fetchFeatured(CancellationToken cancel)
{
    const QByteArray body = co_await send(makeRequest(QStringLiteral("/wallpapers/featured")), QByteArrayLiteral("GET"), QByteArray(), cancel);
    co_return EnvelopeDecoder::wallpaperList(body).data;
}

QCoro::Task<QList<Category>> APIClient::fetchCategories(CancellationToken cancel)
{
    const QByteArray body = co_await send(makeRequest(QStringLiteral("/categories")), QByteArrayLiteral("GET"), QByteArray(), cancel);
    co_return EnvelopeDecoder::categoryList(body).data;
}

namespace {
// An id from the service becomes one path segment; "..", "." or a slash would take the request
// out of the catalogue's paths, so such an id is refused before any URL is built.
void requireSafeId(const QString &id)
{
    if (!ImageAddress::isSafePathSegment(id))
        throw APIError::invalidResponse();
}
} // namespace

QCoro::Task<Wallpaper> APIClient::fetchWallpaper(QString id, CancellationToken cancel)
{
    requireSafeId(id);
    const QByteArray body = co_await send(makeRequest(QStringLiteral("/wallpapers/") + id), QByteArrayLiteral("GET"), QByteArray(), cancel);
    co_return EnvelopeDecoder::wallpaper(body).data;
}

QCoro::Task<WallpaperDownload> APIClient::fetchDownloadInfo(QString id, CancellationToken cancel)
{
    requireSafeId(id);
    const QByteArray body =
        co_await send(makeRequest(QStringLiteral("/wallpapers/") + id + QStringLiteral("/download")), QByteArrayLiteral("GET"), QByteArray(), cancel);
    co_return EnvelopeDecoder::download(body).data;
}

QCoro::Task<void> APIClient::recordView(QString id, CancellationToken cancel)
{
    requireSafeId(id);
    const QByteArray body =
        co_await send(makeRequest(QStringLiteral("/wallpapers/") + id + QStringLiteral("/view")), QByteArrayLiteral("POST"), QByteArray(), cancel);
    EnvelopeDecoder::stringResponse(body);
}

QByteArray APIClient::multipartBody(const QString &boundary, const QString &title,
                                    const std::optional<QString> &description, const QString &categoryId,
                                    const QStringList &tags, const QString &machineId, const QString &fileName,
                                    const QByteArray &fileBytes)
{
    const QByteArray b = boundary.toUtf8();
    QByteArray body;
    body.reserve(fileBytes.size() + 1024);
    appendTextPart(body, b, "title", title);
    if (description && !description->isEmpty())
        appendTextPart(body, b, "description", *description);
    appendTextPart(body, b, "category_id", categoryId);
    appendTextPart(body, b, "machine_id", machineId);
    for (const QString &tag : tags)
        appendTextPart(body, b, "tags[]", tag);
    body += "--" + b + "\r\n";
    body += "Content-Disposition: form-data; name=\"file\"; filename=\"" + headerSafeFileName(fileName).toUtf8() + "\"\r\n";
    body += "Content-Type: " + fileContentType(fileName).toUtf8() + "\r\n\r\n";
    body += fileBytes;
    body += "\r\n";
    body += "--" + b + "--\r\n";
    return body;
}

QCoro::Task<UploadResponse> APIClient::uploadWallpaper(QString filePath, QString title,
                                                       std::optional<QString> description, QString categoryId,
                                                       QStringList tags, QString machineId, CancellationToken cancel)
{
    const QString boundary = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    QNetworkRequest request = makeRequest(QStringLiteral("/uploads/wallpaper"));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("multipart/form-data; boundary=") + boundary);

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QCoreApplication::translate("APIClient", "The file “%1” couldn’t be opened: %2")
                            .arg(QFileInfo(filePath).fileName(), file.errorString()));
    const QByteArray fileBytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QCoreApplication::translate("APIClient", "The file “%1” couldn’t be read: %2")
                            .arg(QFileInfo(filePath).fileName(), file.errorString()));
    file.close();

    const QByteArray body = multipartBody(boundary, title, description, categoryId, tags, machineId,
                                          QFileInfo(filePath).fileName(), fileBytes);
    const QByteArray response = co_await send(request, QByteArrayLiteral("POST"), body, cancel);
    co_return EnvelopeDecoder::upload(response).data;
}

QCoro::Task<ProcessingStatus> APIClient::fetchUploadStatus(QString jobId, CancellationToken cancel)
{
    requireSafeId(jobId);
    const QByteArray body = co_await send(makeRequest(QStringLiteral("/uploads/status/") + jobId), QByteArrayLiteral("GET"), QByteArray(), cancel);
    co_return EnvelopeDecoder::processingStatus(body).data;
}

QCoro::Task<QList<Wallpaper>> APIClient::fetchMyUploads(QString machineId, CancellationToken cancel)
{
    QueryItems query;
    query.append({QString::fromLatin1("machine_id"), machineId});
    const QNetworkRequest request = makeRequest(QString::fromLatin1("/uploads/my-uploads"), query);
    const QByteArray body = co_await send(request, QByteArrayLiteral("GET"), QByteArray(), cancel);
    co_return EnvelopeDecoder::wallpaperList(body).data;
}
