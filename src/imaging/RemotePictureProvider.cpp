// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/RemotePictureProvider.h"

#include <QBuffer>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QQmlNetworkAccessManagerFactory>
#include <QQuickWindow>
#include <QThreadStorage>

#include <algorithm>
#include <cmath>

namespace {

// How a picture of `original` pixels is read for `box`: the size to scale it to and, for a
// covering one, the part of that to keep (empty: all of it).
struct Plan {
    QSize scaled;
    QRect clip;
};

Plan readPlan(const QSize &original, const QSize &box, bool crop)
{
    if (original.isEmpty() || box.isEmpty())
        return {}; // read as it is
    const qreal across = qreal(box.width()) / original.width();
    const qreal down = qreal(box.height()) / original.height();
    const qreal scale = std::min(1.0, crop ? std::max(across, down) : std::min(across, down));
    const QSize scaled(std::max(1, int(std::lround(original.width() * scale))),
                       std::max(1, int(std::lround(original.height() * scale))));
    if (!crop)
        return {scaled, {}};
    const QSize kept = scaled.boundedTo(box);
    return {scaled, QRect(QPoint((scaled.width() - kept.width()) / 2, (scaled.height() - kept.height()) / 2), kept)};
}

// The format of a JPEG or PNG picture, told by its first bytes; empty for any other. Named, with
// detection off, the reader opens only that format's plugin: left to detect it, Qt opens every
// image plugin in turn (and the SVG one loads Qt's SVG library) to ask which one reads it.
QByteArray formatOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return QByteArrayLiteral("jpeg");
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return QByteArrayLiteral("png");
    return {};
}

// Hands a 24-bit picture to the renderer as it is. Qt's own factory turns every format but
// 32-bit RGB into premultiplied ARGB, which would undo the 24-bit large pictures: the software
// renderer draws them as they are, the others convert them as they upload them.
class PictureTextureFactory : public QQuickTextureFactory
{
public:
    explicit PictureTextureFactory(QImage image)
        : m_image(std::move(image))
    {
    }
    QSGTexture *createTexture(QQuickWindow *window) const override
    {
        return window->createTextureFromImage(m_image, QQuickWindow::TextureCanUseAtlas);
    }
    QSize textureSize() const override { return m_image.size(); }
    int textureByteCount() const override { return int(m_image.sizeInBytes()); }
    QImage image() const override { return m_image; }

private:
    QImage m_image;
};

// Pixels from which an opaque picture is large (a 512x512 square): far above a card's, far
// below the hero's 1280x520.
constexpr qint64 largePicture = 512 * 512;

// One manager per loading thread, made in it and deleted when it ends.
QThreadStorage<QNetworkAccessManager *> threadNetworks;

class RemotePictureResponse : public QQuickImageResponse
{
public:
    RemotePictureResponse(QNetworkAccessManager &network, const QUrl &url, QSize box, bool crop)
        : m_box(box)
        , m_crop(crop)
    {
        m_reply = network.get(QNetworkRequest(url));
        connect(m_reply, &QNetworkReply::finished, this, &RemotePictureResponse::read);
    }
    ~RemotePictureResponse() override
    {
        if (m_reply) {
            m_reply->disconnect(this);
            m_reply->abort();
            m_reply->deleteLater();
        }
    }

    QQuickTextureFactory *textureFactory() const override
    {
        // Every other format goes Qt's way, premultiplied once rather than as each frame draws it.
        if (m_image.format() == QImage::Format_RGB888)
            return new PictureTextureFactory(m_image);
        return QQuickTextureFactory::textureFactoryForImage(m_image);
    }
    QString errorString() const override { return m_error; }
    // The reply then finishes as aborted, and so does this response.
    void cancel() override
    {
        if (m_reply)
            m_reply->abort();
    }

private:
    void read()
    {
        QNetworkReply *reply = std::exchange(m_reply, nullptr);
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError) {
            m_error = reply->errorString();
        } else {
            QByteArray bytes = reply->readAll();
            QBuffer buffer(&bytes);
            QImageReader reader(&buffer);
            if (const QByteArray format = formatOf(bytes); !format.isEmpty()) {
                reader.setFormat(format);
                reader.setAutoDetectImageFormat(false);
            }
            const Plan plan = readPlan(reader.size(), m_box, m_crop);
            if (plan.scaled.isValid())
                reader.setScaledSize(plan.scaled);
            if (plan.clip.isValid())
                reader.setScaledClipRect(plan.clip);
            m_image = reader.read();
            if (m_image.isNull())
                m_error = reader.errorString();
            // A large opaque picture (the hero, the detail sheet's) is kept in three bytes a
            // pixel, not four: a quarter less memory for the pictures that hold most of it. The
            // software renderer draws 24-bit pixels more slowly, so thumbnails, which a grid
            // redraws in every frame of a scroll, stay in 32 bits (measured: 1.6 ms more a
            // frame while Explore scrolls with them in 24).
            else if (m_image.format() == QImage::Format_RGB32 && qint64(m_image.width()) * m_image.height() >= largePicture)
                m_image.convertTo(QImage::Format_RGB888);
        }
        Q_EMIT finished();
    }

    QPointer<QNetworkReply> m_reply;
    QSize m_box;
    bool m_crop;
    QImage m_image;
    QString m_error;
};

} // namespace

RemotePictureProvider::RemotePictureProvider(QQmlNetworkAccessManagerFactory &networks)
    : m_networks(networks)
{
}

QQuickImageResponse *RemotePictureProvider::requestImageResponse(const QString &id, const QSize &requestedSize)
{
    // Runs on Qt's image loading thread, whose event loop carries the reply.
    if (!threadNetworks.hasLocalData())
        threadNetworks.setLocalData(m_networks.create(nullptr));
    const qsizetype slash = id.indexOf(u'/');
    const QStringView how = QStringView(id).left(slash);
    const QUrl url(id.mid(slash + 1));
    return new RemotePictureResponse(*threadNetworks.localData(), url, requestedSize, how == u"crop");
}
