// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQuickAsyncImageProvider>

class QQmlNetworkAccessManagerFactory;

// Pictures from the network decoded at the size they are shown, as image://remote/crop/<url>
// (the picture covers the box it is asked for) or image://remote/fit/<url> (it fits inside).
// A covering picture is cut to the box as it is read, and no picture is enlarged: the renderer
// scales a small one up as it draws, where an enlarged copy would only take memory. Qt's own
// loader decodes a covering picture whole at the covering size (a hero 1280x800 for a
// 1280x520 box) and enlarges small pictures to that size.
class RemotePictureProvider : public QQuickAsyncImageProvider
{
public:
    // `networks` gives each loading thread its own manager (with the shared disk cache); it
    // must outlive the provider.
    explicit RemotePictureProvider(QQmlNetworkAccessManagerFactory &networks);

    QQuickImageResponse *requestImageResponse(const QString &id, const QSize &requestedSize) override;

private:
    QQmlNetworkAccessManagerFactory &m_networks;
};
