// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/EnvelopeDecoder.h"

#include "models/AppError.h"
#include "models/JsonDecoder.h"
#include "models/JsonTree.h"

using namespace JsonDecoder;

namespace {
QJsonObject envelopeObject(const QByteArray &body)
{
    const QJsonDocument document = parse(body);
    if (!document.isObject())
        throw DecodingError(QStringLiteral("Expected an object at the top level"));
    return convertKeys(document.object());
}

// Decodes the envelope's top-level object with `decode`, a generic lambda: through JsonTree, in
// one pass over the bytes, or, for a body outside JsonTree's subset, through QJsonDocument with
// its own errors. Both readers apply the same rules.
template<typename F> auto decodeEnvelope(const QByteArray &body, F decode)
{
    if (const auto tree = JsonTree::parse(body); tree && tree->root().isObject())
        return decode(tree->root().toObject());
    return decode(envelopeObject(body));
}

template<typename T, typename F> APIResponse<T> envelope(const QByteArray &body, F decodeData)
{
    return decodeEnvelope(body, [&](const auto &o) {
        APIResponse<T> response;
        response.success = requireBool(o, QStringLiteral("success"));
        const auto data = member(o, QStringLiteral("data"));
        if (!data)
            throw DecodingError(QStringLiteral("Missing key: data"));
        response.data = decodeData(*data);
        response.message = requireString(o, QStringLiteral("message"));
        return response;
    });
}

template<typename V> auto dataObject(const V &value, const char *what)
{
    if (value.isNull())
        throw DecodingError(QStringLiteral("Null value for required key: data"));
    return requireObject(value, what);
}
} // namespace

namespace EnvelopeDecoder {

PaginatedResponse<Wallpaper> wallpaperPage(const QByteArray &body)
{
    return decodeEnvelope(body, [](const auto &o) {
        PaginatedResponse<Wallpaper> page;
        page.success = requireBool(o, QStringLiteral("success"));
        const auto data = member(o, QStringLiteral("data"));
        if (!data || data->isNull())
            throw DecodingError(QStringLiteral("Missing key: data"));
        page.data = decodeWallpaperList(*data);
        const auto pagination = member(o, QStringLiteral("pagination"));
        if (pagination && !pagination->isNull()) {
            const auto p = requireObject(*pagination, "pagination");
            page.pagination = PaginationMeta{optionalInt(p, QStringLiteral("page")), optionalInt(p, QStringLiteral("limit")),
                                             optionalInt(p, QStringLiteral("total")),
                                             optionalInt(p, QStringLiteral("totalPages"))};
        }
        return page;
    });
}

APIResponse<QList<Wallpaper>> wallpaperList(const QByteArray &body)
{
    return envelope<QList<Wallpaper>>(body, [](const auto &v) { return decodeWallpaperList(v); });
}

APIResponse<QList<Category>> categoryList(const QByteArray &body)
{
    return envelope<QList<Category>>(body, [](const auto &v) { return decodeCategoryList(v); });
}

APIResponse<Wallpaper> wallpaper(const QByteArray &body)
{
    return envelope<Wallpaper>(body, [](const auto &v) { return decodeWallpaper(v); });
}

APIResponse<WallpaperDownload> download(const QByteArray &body)
{
    return envelope<WallpaperDownload>(body, [](const auto &v) {
        const auto o = dataObject(v, "a download record");
        return WallpaperDownload{requireString(o, QStringLiteral("url")), requireString(o, QStringLiteral("filename"))};
    });
}

APIResponse<UploadResponse> upload(const QByteArray &body)
{
    return envelope<UploadResponse>(body, [](const auto &v) {
        const auto o = dataObject(v, "an upload response");
        return UploadResponse{requireString(o, QStringLiteral("jobId")), requireString(o, QStringLiteral("message"))};
    });
}

APIResponse<ProcessingStatus> processingStatus(const QByteArray &body)
{
    return envelope<ProcessingStatus>(body, [](const auto &v) {
        const auto o = dataObject(v, "a processing status");
        ProcessingStatus status;
        status.status = requireString(o, QStringLiteral("status"));
        status.message = optionalString(o, QStringLiteral("message"));
        const auto w = member(o, QStringLiteral("wallpaper"));
        if (w && !w->isNull())
            status.wallpaper = decodeWallpaper(*w);
        return status;
    });
}

APIResponse<QString> stringResponse(const QByteArray &body)
{
    return envelope<QString>(body, [](const auto &v) {
        if (!v.isString())
            throw DecodingError(QStringLiteral("Expected a string for key: data"));
        return v.toString();
    });
}

} // namespace EnvelopeDecoder
