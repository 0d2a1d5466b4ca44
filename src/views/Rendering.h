// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QQmlEngine>

// Whether the scene graph draws without a GPU. Blur, masks and gradients need shaders, so the
// screens swap them for flat stand-ins there. (GraphicsInfo would say the same, but Qt 6.4's
// compiled bindings spin forever looking it up as a singleton.)
class Rendering : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool software READ software CONSTANT)

public:
    explicit Rendering(QObject *parent = nullptr);

    bool software() const { return m_software; }

private:
    bool m_software;
};
