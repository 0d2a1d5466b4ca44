// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImageIOPlugin>

// Lets QImageReader and QML Image read HEIC/HEIF through libheif. Built as a static plugin: the
// application (and any test reading HEIC) says Q_IMPORT_PLUGIN(HeicImagePlugin).
class HeicImagePlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "HeicImagePlugin.json")

public:
    Capabilities capabilities(QIODevice *device, const QByteArray &format) const override;
    QImageIOHandler *create(QIODevice *device, const QByteArray &format = QByteArray()) const override;
};
