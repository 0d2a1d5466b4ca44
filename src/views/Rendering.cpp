// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/Rendering.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace {
// QQuickWindow::graphicsApi() reports what was asked for; where the platform has no OpenGL (no
// GPU, the offscreen platform) Qt quietly falls back to the software renderer. A window knows
// from its making which one it draws with, and asking it loads no driver, where a trial context
// loads the OpenGL driver (a few hundred milliseconds for a software one) before the window
// first appears; the trial remains for when no window is made yet.
bool drawsInSoftware()
{
    for (QWindow *window : QGuiApplication::topLevelWindows())
        if (auto *quick = qobject_cast<QQuickWindow *>(window))
            return quick->rendererInterface()->graphicsApi() == QSGRendererInterface::Software;
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
