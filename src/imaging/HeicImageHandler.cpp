// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/HeicImageHandler.h"

#include "config/RuntimeLibrary.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QVariant>
#include <libheif/heif.h>
#include <optional>
#include <vector>

namespace {

// The libheif functions we call.
#define LUMIVANE_HEIF_FUNCTIONS(X)                                                                  \
    X(heif_init) X(heif_check_filetype) X(heif_context_alloc) X(heif_context_free)                 \
    X(heif_context_read_from_file) X(heif_context_read_from_memory_without_copy)                   \
    X(heif_context_get_primary_image_handle) X(heif_image_handle_release)                          \
    X(heif_image_handle_get_width) X(heif_image_handle_get_height)                                 \
    X(heif_image_handle_has_alpha_channel) X(heif_image_handle_get_number_of_thumbnails)           \
    X(heif_image_handle_get_list_of_thumbnail_IDs) X(heif_image_handle_get_thumbnail)              \
    X(heif_decode_image) X(heif_image_release) X(heif_image_get_width) X(heif_image_get_height)    \
    X(heif_image_get_plane_readonly)

// libheif, opened the first time a HEIC picture is read rather than linked: linked, it loads its
// codecs (x265, aom, libde265, dav1d) into every start of the app, 1.7 MB, for a rare pick.
struct Libheif {
    LUMIVANE_HEIF_FUNCTIONS(LUMIVANE_RUNTIME_MEMBER)
};

// Null where libheif is not installed (or lacks one of them).
const Libheif *libheif()
{
    static const std::optional<Libheif> loaded = openRuntimeLibrary<Libheif>(QStringLiteral("heif"), 1, [](QLibrary &library, Libheif &table) {
        LUMIVANE_HEIF_FUNCTIONS(LUMIVANE_RUNTIME_RESOLVE)
        table.heif_init(nullptr); // registers its decoders, once for the process
        return true;
    });
    return loaded ? &*loaded : nullptr;
}

struct ImageDeleter {
    void operator()(heif_image *image) const { libheif()->heif_image_release(image); }
};

// Whether a picture of this size may be decoded under Qt's image allocation limit, which every
// decoder honours: a tiny file can claim a huge picture. libheif's own buffer is as large as
// the QImage made from it, so the check comes before decoding.
bool withinAllocationLimit(int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    const int limitMiB = QImageReader::allocationLimit();
    if (limitMiB <= 0)
        return true;
    return qint64(width) * qint64(height) * 4 <= qint64(limitMiB) * 1024 * 1024;
}

// Decodes `handle` into an 8-bit interleaved RGB(A) QImage, or a null image.
QImage decode(heif_image_handle *handle)
{
    const Libheif &heif = *libheif();
    if (!withinAllocationLimit(heif.heif_image_handle_get_width(handle), heif.heif_image_handle_get_height(handle)))
        return {};
    const bool alpha = heif.heif_image_handle_has_alpha_channel(handle);
    heif_image *raw = nullptr;
    const heif_error error = heif.heif_decode_image(handle, &raw, heif_colorspace_RGB,
                                               alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr);
    std::unique_ptr<heif_image, ImageDeleter> image(raw);
    if (error.code != heif_error_Ok || !image)
        return {};
    const int width = heif.heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif.heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t *pixels = heif.heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!pixels || width <= 0 || height <= 0)
        return {};
    QImage result(width, height, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (result.isNull())
        return {};
    const qsizetype rowBytes = qsizetype(width) * (alpha ? 4 : 3);
    for (int y = 0; y < height; ++y)
        memcpy(result.scanLine(y), pixels + qsizetype(y) * stride, rowBytes);
    return result;
}

} // namespace

void HeicImageHandler::ContextDeleter::operator()(heif_context *context) const
{
    libheif()->heif_context_free(context);
}

void HeicImageHandler::HandleDeleter::operator()(heif_image_handle *handle) const
{
    libheif()->heif_image_handle_release(handle);
}

HeicImageHandler::HeicImageHandler() = default;
HeicImageHandler::~HeicImageHandler()
{
    // The handle refers to the context, and the context to the bytes.
    m_primary.reset();
    m_context.reset();
}

bool HeicImageHandler::canRead(QIODevice *device)
{
    if (!device)
        return false;
    const QByteArray head = device->peek(12);
    // Every HEIF file starts with its file type box; anything else is turned away before
    // libheif is opened, as every picture the app reads is asked about.
    if (head.size() < 12 || head.mid(4, 4) != "ftyp" || !libheif())
        return false;
    const heif_filetype_result type =
        libheif()->heif_check_filetype(reinterpret_cast<const uint8_t *>(head.constData()), int(head.size()));
    return type == heif_filetype_yes_supported;
}

bool HeicImageHandler::canRead() const
{
    if (m_loaded)
        return !m_failed;
    if (!canRead(device()))
        return false;
    setFormat(QByteArrayLiteral("heic"));
    return true;
}

bool HeicImageHandler::load()
{
    if (m_loaded)
        return !m_failed;
    m_loaded = true;
    m_failed = true;
    if (!device() || !canRead(device()))
        return false;
    const Libheif &heif = *libheif();

    m_context.reset(heif.heif_context_alloc());
    if (!m_context)
        return false;
    heif_error error;
    auto *file = qobject_cast<QFile *>(device());
    if (file && !file->fileName().isEmpty() && !file->fileName().startsWith(QLatin1Char(':')) && file->pos() == 0) {
        // A plain file is read by libheif itself, which fetches only the boxes it needs.
        error = heif.heif_context_read_from_file(m_context.get(), QFile::encodeName(file->fileName()).constData(), nullptr);
    } else {
        m_data = device()->readAll();
        error = heif.heif_context_read_from_memory_without_copy(m_context.get(), m_data.constData(), size_t(m_data.size()),
                                                           nullptr);
    }
    if (error.code != heif_error_Ok)
        return false;
    heif_image_handle *primary = nullptr;
    if (heif.heif_context_get_primary_image_handle(m_context.get(), &primary).code != heif_error_Ok || !primary)
        return false;
    m_primary.reset(primary);
    m_size = QSize(heif.heif_image_handle_get_width(primary), heif.heif_image_handle_get_height(primary));
    if (m_size.isEmpty())
        return false;
    m_failed = false;
    return true;
}

bool HeicImageHandler::read(QImage *image)
{
    if (!image || !load())
        return false;
    const Libheif &heif = *libheif();

    QImage decoded;
    const QSize target = m_scaledSize.isValid() && !m_scaledSize.isEmpty() ? m_scaledSize : QSize();
    if (target.isValid()) {
        // The smallest embedded thumbnail that still covers the requested size saves a full decode.
        const int count = heif.heif_image_handle_get_number_of_thumbnails(m_primary.get());
        if (count > 0) {
            std::vector<heif_item_id> ids(static_cast<size_t>(count));
            heif.heif_image_handle_get_list_of_thumbnail_IDs(m_primary.get(), ids.data(), count);
            std::unique_ptr<heif_image_handle, HandleDeleter> best;
            for (heif_item_id id : ids) {
                heif_image_handle *thumb = nullptr;
                if (heif.heif_image_handle_get_thumbnail(m_primary.get(), id, &thumb).code != heif_error_Ok || !thumb)
                    continue;
                std::unique_ptr<heif_image_handle, HandleDeleter> candidate(thumb);
                const QSize size(heif.heif_image_handle_get_width(thumb), heif.heif_image_handle_get_height(thumb));
                if (size.width() < target.width() || size.height() < target.height())
                    continue;
                if (!best || size.width() < heif.heif_image_handle_get_width(best.get()))
                    best = std::move(candidate);
            }
            if (best)
                decoded = decode(best.get());
        }
    }
    if (decoded.isNull())
        decoded = decode(m_primary.get());
    if (decoded.isNull())
        return false;
    if (target.isValid() && decoded.size() != target)
        decoded = decoded.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    *image = decoded;
    return true;
}

QVariant HeicImageHandler::option(ImageOption option) const
{
    if (option == Size) {
        if (const_cast<HeicImageHandler *>(this)->load())
            return m_size;
        return {};
    }
    if (option == ScaledSize)
        return m_scaledSize;
    return {};
}

void HeicImageHandler::setOption(ImageOption option, const QVariant &value)
{
    if (option == ScaledSize)
        m_scaledSize = value.toSize();
}

bool HeicImageHandler::supportsOption(ImageOption option) const
{
    return option == Size || option == ScaledSize;
}
