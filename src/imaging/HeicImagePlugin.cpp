// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/HeicImagePlugin.h"
#include "imaging/HeicImageHandler.h"

QImageIOPlugin::Capabilities HeicImagePlugin::capabilities(QIODevice *device, const QByteArray &format) const
{
    const QByteArray lower = format.toLower();
    if (lower == "heic" || lower == "heif")
        return CanRead;
    if (!format.isEmpty() || !device || !device->isOpen())
        return {};
    return HeicImageHandler::canRead(device) ? CanRead : Capabilities();
}

QImageIOHandler *HeicImagePlugin::create(QIODevice *device, const QByteArray &format) const
{
    auto *handler = new HeicImageHandler;
    handler->setDevice(device);
    handler->setFormat(format.isEmpty() ? QByteArrayLiteral("heic") : format);
    return handler;
}

// The moc output carries the plugin's registration; it must be compiled here, with
// QT_STATICPLUGIN defined, to yield qt_static_plugin_HeicImagePlugin().
#include "moc_HeicImagePlugin.cpp"
