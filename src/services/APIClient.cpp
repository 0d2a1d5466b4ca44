// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "APIClient.h"

#include "EnvelopeDecoder.h"
#include "ImageAddress.h"

#include <QCoroNetworkReply>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUuid>
#include <memory>

namespace {
// Requests carry their own 60 s transfer timeout; the manager's 30 s default applies only to
// requests built elsewhere. A per-request value always wins in Qt, so the effective limit of
// every request this client sends is 60 s without progress.
constexpr int requestTimeoutMs = 60'000;
constexpr int sessionTimeoutMs = 30'000;

struct ReplyDeleter {
    void operator()(QNetworkReply *reply) const
    {
        if (reply)
            reply->deleteLater();
    }
};
using ReplyPtr = std::unique_ptr<QNetworkReply, ReplyDeleter>;

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

[[noreturn]] void throwTransport(QNetworkReply *reply)
{
    throw TransportError(reply->errorString(), int(reply->error()));
}

bool isTransportFailure(QNetworkReply::NetworkError error)
{
    // Connection, proxy and cancellation errors; the 2xx-5xx protocol-level codes come with an
    // HTTP status and are judged by it.
    return error != QNetworkReply::NoError && int(error) < 200;
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
    static APIClient *instance = new APIClient(defaultBaseURL());
    return *instance;
}

QUrl APIClient::defaultBaseURL()
{
    const QString fromEnvironment = qEnvironmentVariable("LUMIVANE_API_BASE_URL");
    if (!fromEnvironment.isEmpty() && ImageAddress::isAcceptableBaseURL(fromEnvironment))
        return QUrl(fromEnvironment);
    return QUrl(QStringLiteral(LUMIVANE_API_BASE_URL));
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
    request.setTransferTimeout(requestTimeoutMs);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    return request;
}

QCoro::Task<QByteArray> APIClient::send(QNetworkRequest request, QByteArray method, QByteArray body,
                                        CancellationToken cancel)
{
    if (cancel && cancel->isCancelled())
        throw TransportError(QStringLiteral("Operation canceled"), int(QNetworkReply::OperationCanceledError));

    ReplyPtr reply(body.isEmpty() && method == "GET" ? m_manager->get(request)
                                                      : m_manager->sendCustomRequest(request, method, body));
    if (cancel)
        cancel->track(reply.get());
    co_await reply.get();

    const QVariant statusAttribute = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (isTransportFailure(reply->error()) || (!statusAttribute.isValid() && reply->error() != QNetworkReply::NoError))
        throwTransport(reply.get());
    if (!statusAttribute.isValid())
        throw APIError::invalidResponse();

    const int status = statusAttribute.toInt();
    const QByteArray responseBody = reply->readAll();
    if (status >= 200 && status <= 299)
        co_return responseBody;

    std::optional<QString> serverMessage;
    try {
        serverMessage = EnvelopeDecoder::stringResponse(responseBody).message;
    } catch (const DecodingError &) {
    }
    if (serverMessage)
        throw APIError::server(*serverMessage);
    throw APIError::httpError(status);
}

QCoro::Task<PaginatedResponse<Wallpaper>> APIClient::fetchWallpapers(int page, int limit,
                                                                     std::optional<QString> categoryId,
                                                                     std::optional<QString> sort,
                                                                     std::optional<QString> search,
                                                                     CancellationToken cancel)
{
    // (Query items are appended one by one: g++ 12 rejects QStringLiteral inside nested braces
    // in a coroutine.)
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

QCoro::Task<Wallpaper> APIClient::fetchWallpaper(QString id, CancellationToken cancel)
{
    const QByteArray body = co_await send(makeRequest(QStringLiteral("/wallpapers/") + id), QByteArrayLiteral("GET"), QByteArray(), cancel);
    co_return EnvelopeDecoder::wallpaper(body).data;
}

QCoro::Task<WallpaperDownload> APIClient::fetchDownloadInfo(QString id, CancellationToken cancel)
{
    const QByteArray body =
        co_await send(makeRequest(QStringLiteral("/wallpapers/") + id + QStringLiteral("/download")), QByteArrayLiteral("GET"), QByteArray(), cancel);
    co_return EnvelopeDecoder::download(body).data;
}

QCoro::Task<void> APIClient::recordView(QString id, CancellationToken cancel)
{
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
        throw FileError(QStringLiteral("The file “%1” couldn’t be opened: %2")
                            .arg(QFileInfo(filePath).fileName(), file.errorString()));
    const QByteArray fileBytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("The file “%1” couldn’t be read: %2")
                            .arg(QFileInfo(filePath).fileName(), file.errorString()));
    file.close();

    const QByteArray body = multipartBody(boundary, title, description, categoryId, tags, machineId,
                                          QFileInfo(filePath).fileName(), fileBytes);
    const QByteArray response = co_await send(request, QByteArrayLiteral("POST"), body, cancel);
    co_return EnvelopeDecoder::upload(response).data;
}

QCoro::Task<ProcessingStatus> APIClient::fetchUploadStatus(QString jobId, CancellationToken cancel)
{
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
