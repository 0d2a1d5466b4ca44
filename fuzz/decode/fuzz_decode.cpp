// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to every way the client decodes a body from the service. Rejecting the
// bytes with DecodingError is the expected answer to garbage; anything else that escapes (another
// exception type, a crash, a sanitizer report, a hang) is a fault.
#include "models/AppError.h"
#include "models/JsonDecoder.h"
#include "services/EnvelopeDecoder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QJsonDocument>

#include <cstddef>
#include <cstdint>

namespace {

template<typename F> void rejectOrDecode(F decode)
{
    try {
        decode();
    } catch (const DecodingError &) {
        // The decoder's own refusal.
    }
}

// Touch what a caller would read, so a record that "decoded" into garbage shows up under the
// sanitizers rather than later in a view.
void use(const Wallpaper &w)
{
    volatile qsizetype sink = w.id().size() + w.title().size() + w.tags().size();
    sink = sink + (w.createdAt().isValid() ? 1 : 0) + (w.category() ? w.category()->name().size() : 0);
    (void)w.thumbnailURL();
    (void)w.previewURL();
    (void)w.fullImageURL();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // QUrl and QDateTime want the Qt core set up once; no event loop is needed.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    rejectOrDecode([&] {
        for (const Wallpaper &w : EnvelopeDecoder::wallpaperPage(body).data)
            use(w);
    });
    rejectOrDecode([&] {
        for (const Wallpaper &w : EnvelopeDecoder::wallpaperList(body).data)
            use(w);
    });
    rejectOrDecode([&] { EnvelopeDecoder::categoryList(body); });
    rejectOrDecode([&] { use(EnvelopeDecoder::wallpaper(body).data); });
    rejectOrDecode([&] { EnvelopeDecoder::download(body); });
    rejectOrDecode([&] { EnvelopeDecoder::upload(body); });
    rejectOrDecode([&] {
        const auto status = EnvelopeDecoder::processingStatus(body);
        if (status.data.wallpaper)
            use(*status.data.wallpaper);
    });
    rejectOrDecode([&] { EnvelopeDecoder::stringResponse(body); });

    // The bare record decoders, on a body that is one record or a list of them.
    rejectOrDecode([&] {
        const QJsonDocument document = JsonDecoder::parse(body);
        const QJsonValue value = document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
        const QJsonValue converted = JsonDecoder::convertKeys(value);
        rejectOrDecode([&] { use(JsonDecoder::decodeWallpaper(converted)); });
        rejectOrDecode([&] { JsonDecoder::decodeCategory(converted); });
        rejectOrDecode([&] { JsonDecoder::decodeWallpaperList(converted); });
        rejectOrDecode([&] { JsonDecoder::decodeCategoryList(converted); });
    });

    // Dates on their own: the whole input as one string.
    rejectOrDecode([&] { JsonDecoder::decodeDate(QString::fromUtf8(body)); });
    return 0;
}
