// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/EnvelopeDecoder.h"

#include "models/AppError.h"
#include "models/JsonDecoder.h"

using namespace JsonDecoder;

namespace {
QJsonObject envelopeObject(const QByteArray &body)
{
    const QJsonDocument document = parse(body);
    if (!document.isObject())
        throw DecodingError(QStringLiteral("Expected an object at the top level"));
    return convertKeys(document.object());
}

template<typename T, typename F> APIResponse<T> envelope(const QByteArray &body, F decodeData)
{
    const QJsonObject o = envelopeObject(body);
    APIResponse<T> response;
    response.success = requireBool(o, QStringLiteral("success"));
    const auto it = o.constFind(QStringLiteral("data"));
    if (it == o.constEnd())
        throw DecodingError(QStringLiteral("Missing key: data"));
    response.data = decodeData(*it);
    response.message = requireString(o, QStringLiteral("message"));
    return response;
}

QJsonObject dataObject(const QJsonValue &value, const char *what)
{
    if (value.isNull())
        throw DecodingError(QStringLiteral("Null value for required key: data"));
    return requireObject(value, what);
}
} // namespace

namespace EnvelopeDecoder {

PaginatedResponse<Wallpaper> wallpaperPage(const QByteArray &body)
{
    const QJsonObject o = envelopeObject(body);
    PaginatedResponse<Wallpaper> page;
    page.success = requireBool(o, QStringLiteral("success"));
    const auto data = o.constFind(QStringLiteral("data"));
    if (data == o.constEnd() || data->isNull())
        throw DecodingError(QStringLiteral("Missing key: data"));
    page.data = decodeWallpaperList(*data);
    const auto pagination = o.constFind(QStringLiteral("pagination"));
    if (pagination != o.constEnd() && !pagination->isNull()) {
        const QJsonObject p = requireObject(*pagination, "pagination");
        page.pagination = PaginationMeta{optionalInt(p, QStringLiteral("page")), optionalInt(p, QStringLiteral("limit")),
                                         optionalInt(p, QStringLiteral("total")),
                                         optionalInt(p, QStringLiteral("totalPages"))};
    }
    return page;
}

APIResponse<QList<Wallpaper>> wallpaperList(const QByteArray &body)
{
    return envelope<QList<Wallpaper>>(body, [](const QJsonValue &v) { return decodeWallpaperList(v); });
}

APIResponse<QList<Category>> categoryList(const QByteArray &body)
{
    return envelope<QList<Category>>(body, [](const QJsonValue &v) { return decodeCategoryList(v); });
}

APIResponse<Wallpaper> wallpaper(const QByteArray &body)
{
    return envelope<Wallpaper>(body, [](const QJsonValue &v) { return decodeWallpaper(v); });
}

APIResponse<WallpaperDownload> download(const QByteArray &body)
{
    return envelope<WallpaperDownload>(body, [](const QJsonValue &v) {
        const QJsonObject o = dataObject(v, "a download record");
        return WallpaperDownload{requireString(o, QStringLiteral("url")), requireString(o, QStringLiteral("filename"))};
    });
}

APIResponse<UploadResponse> upload(const QByteArray &body)
{
    return envelope<UploadResponse>(body, [](const QJsonValue &v) {
        const QJsonObject o = dataObject(v, "an upload response");
        return UploadResponse{requireString(o, QStringLiteral("jobId")), requireString(o, QStringLiteral("message"))};
    });
}

APIResponse<ProcessingStatus> processingStatus(const QByteArray &body)
{
    return envelope<ProcessingStatus>(body, [](const QJsonValue &v) {
        const QJsonObject o = dataObject(v, "a processing status");
        ProcessingStatus status;
        status.status = requireString(o, QStringLiteral("status"));
        status.message = optionalString(o, QStringLiteral("message"));
        const auto w = o.constFind(QStringLiteral("wallpaper"));
        if (w != o.constEnd() && !w->isNull())
            status.wallpaper = decodeWallpaper(*w);
        return status;
    });
}

APIResponse<QString> stringResponse(const QByteArray &body)
{
    return envelope<QString>(body, [](const QJsonValue &v) {
        if (!v.isString())
            throw DecodingError(QStringLiteral("Expected a string for key: data"));
        return v.toString();
    });
}

} // namespace EnvelopeDecoder
