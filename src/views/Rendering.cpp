// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/Rendering.h"

#include <QOpenGLContext>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace {
// QQuickWindow::graphicsApi() reports what was asked for; when no OpenGL context can be made
// (no GPU, the offscreen platform) Qt quietly falls back to the software renderer, so try one.
bool drawsInSoftware()
{
    const auto api = QQuickWindow::graphicsApi();
    if (api == QSGRendererInterface::Software)
        return true;
    if (api != QSGRendererInterface::OpenGL)
        return false;
    QOpenGLContext context;
    return !context.create();
}
} // namespace

Rendering::Rendering(QObject *parent)
    : QObject(parent)
    , m_software(drawsInSoftware())
{
}
