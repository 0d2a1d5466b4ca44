// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to every way the client decodes a body from the service. Rejecting the
// bytes with DecodingError is the expected answer to garbage; anything else that escapes (another
// exception type, a crash, a sanitizer report, a hang) is a fault.
#include "models/AppError.h"
#include "models/JsonDecoder.h"
#include "models/JsonTree.h"
#include "services/EnvelopeDecoder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QJsonDocument>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

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

// The record lists decoded by one reader: the records' every field, or the error's text.
template<typename F> std::pair<std::optional<QList<Wallpaper>>, QString> outcome(F decode)
{
    try {
        return {decode(), QString()};
    } catch (const DecodingError &error) {
        return {std::nullopt, error.description()};
    }
}

bool sameRecords(const QList<Wallpaper> &a, const QList<Wallpaper> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!(a[i].fields() == b[i].fields()) ||
            (a[i].category() && !(a[i].category()->fields() == b[i].category()->fields())))
            return false;
    }
    return true;
}

// Wherever the one-pass JsonTree takes a body, it must agree with QJsonDocument plus
// convertKeys: the same records or the same error, as a list and as one record. A difference is a
// fault: abort.
void readersAgree(const QByteArray &body)
{
    const auto tree = JsonTree::parse(body);
    if (!tree)
        return;
    const auto reference = [&] {
        const QJsonDocument document = JsonDecoder::parse(body);
        return JsonDecoder::convertKeys(document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object()));
    };
    const auto agree = [](const auto &fast, const auto &slow) {
        const bool same = fast.first ? slow.first && sameRecords(*fast.first, *slow.first)
                                     : !slow.first && fast.second == slow.second;
        if (!same) {
            std::fprintf(stderr, "readers differ: '%s' / '%s'\n", qPrintable(fast.second), qPrintable(slow.second));
            std::abort();
        }
    };
    const auto compare = [&](const JsonTree::Value &fast, const auto &slow) {
        agree(outcome([&] { return JsonDecoder::decodeWallpaperList(fast); }),
              outcome([&] { return JsonDecoder::decodeWallpaperList(slow()); }));
        agree(outcome([&] { return QList<Wallpaper>{JsonDecoder::decodeWallpaper(fast)}; }),
              outcome([&] { return QList<Wallpaper>{JsonDecoder::decodeWallpaper(slow())}; }));
    };
    compare(tree->root(), reference);
    // An envelope's records sit under "data".
    if (const auto data = tree->root().toObject().find(QStringLiteral("data")))
        compare(*data, [&] { return reference().toObject().value(QStringLiteral("data")); });
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

    readersAgree(body);

    // Dates on their own: the whole input as one string.
    rejectOrDecode([&] { JsonDecoder::decodeDate(QString::fromUtf8(body)); });
    return 0;
}
