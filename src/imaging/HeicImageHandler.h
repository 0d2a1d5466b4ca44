// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImageIOHandler>
#include <QSize>
#include <memory>

struct heif_context;
struct heif_image_handle;

// Reads the primary image of a HEIF file. The size comes from the container without decoding;
// a requested scaled size is served from an embedded thumbnail when one is large enough.
class HeicImageHandler : public QImageIOHandler
{
public:
    HeicImageHandler();
    ~HeicImageHandler() override;

    // Whether the bytes at the device's position start a HEIF file (peeked, not consumed).
    static bool canRead(QIODevice *device);

    bool canRead() const override;
    bool read(QImage *image) override;
    QVariant option(ImageOption option) const override;
    void setOption(ImageOption option, const QVariant &value) override;
    bool supportsOption(ImageOption option) const override;

private:
    // Parses the container once; false when it is not a readable HEIF file.
    bool load();

    struct ContextDeleter {
        void operator()(heif_context *context) const;
    };
    struct HandleDeleter {
        void operator()(heif_image_handle *handle) const;
    };

    bool m_loaded = false;
    bool m_failed = false;
    QByteArray m_data; // libheif reads from this without a copy, so it lives as long as the context
    std::unique_ptr<heif_context, ContextDeleter> m_context;
    std::unique_ptr<heif_image_handle, HandleDeleter> m_primary;
    QSize m_size;
    QSize m_scaledSize;
};
