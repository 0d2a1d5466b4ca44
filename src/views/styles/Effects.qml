// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick
import Lumivane

// The shader effects, made from their files on first use. Their module brings a shader
// compiler whose loading cost a tenth of a second before the first frame; the software
// renderer draws none of them, so there it is never loaded.
QtObject {
    readonly property Component roundedImage: Rendering.software ? null : Qt.createComponent("effects/RoundedImage.qml")
    readonly property Component blur: Rendering.software ? null : Qt.createComponent("effects/Blur.qml")
    readonly property Component shadow: Rendering.software ? null : Qt.createComponent("effects/Shadow.qml")
    readonly property Component glow: Rendering.software ? null : Qt.createComponent("effects/Glow.qml")
    readonly property Component gradientFill: Rendering.software ? null : Qt.createComponent("effects/GradientFill.qml")

    // Makes `effect` under `parent` with `properties`, where the renderer draws effects.
    function add(effect: Component, parent: Item, properties: var) {
        if (effect)
            effect.createObject(parent, properties)
    }
}
