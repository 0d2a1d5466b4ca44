// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QColor>
#include <QImage>
#include <QThread>

#include <libheif/heif.h>

#include <cstring>

bool TestSupport::waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

QString TestSupport::sourceDir()
{
    return qEnvironmentVariable("LUMIVANE_TEST_SOURCE_DIR");
}

QByteArray TestSupport::pngBytes(int width, int height, int shade)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(shade, 120, 200));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return buffer.data();
}

QString TestSupport::writeHeic(const QString &path, int width, int height)
{
    if (!heif_have_encoder_for_format(heif_compression_HEVC))
        return {};
    heif_context *context = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_image *image = nullptr;
    QString result;
    if (heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code == heif_error_Ok
        && heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image).code == heif_error_Ok
        && heif_image_add_plane(image, heif_channel_interleaved, width, height, 8).code == heif_error_Ok) {
        int stride = 0;
        uint8_t *pixels = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        for (int y = 0; y < height; ++y)
            memset(pixels + y * stride, 120, size_t(width) * 3);
        heif_encoder_set_lossy_quality(encoder, 30);
        if (heif_context_encode_image(context, image, encoder, nullptr, nullptr).code == heif_error_Ok
            && heif_context_write_to_file(context, QFile::encodeName(path).constData()).code == heif_error_Ok)
            result = path;
    }
    if (image)
        heif_image_release(image);
    if (encoder)
        heif_encoder_release(encoder);
    heif_context_free(context);
    return result;
}
