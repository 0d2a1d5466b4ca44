// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick
import Lumivane

// The shader effects, made from their files on first use; the software renderer draws none of
// them. The rounded image, the blur and the gradient are shaders of our own. The glow and the
// shadow come from Qt's module of effects, which brings a shader compiler and, under OpenGL, a
// few hundred milliseconds of compiling its shaders: they are made only when a screen first
// asks for them, so that Home, which shows neither, never loads that module.
QtObject {
    readonly property Component roundedImage: Rendering.software ? null : Qt.createComponent("effects/RoundedImage.qml")
    readonly property Component blur: Rendering.software ? null : Qt.createComponent("effects/Blur.qml")
    readonly property Component gradientFill: Rendering.software ? null : Qt.createComponent("effects/GradientFill.qml")
    function shadow(): Component { return fromQtEffects("Shadow") }
    function glow(): Component { return fromQtEffects("Glow") }

    property var made: ({})
    function fromQtEffects(name: string): Component {
        if (Rendering.software)
            return null
        if (!made[name])
            made[name] = Qt.createComponent("effects/" + name + ".qml")
        return made[name]
    }

    // Makes `effect` under `parent` with `properties`, where the renderer draws effects.
    function add(effect: Component, parent: Item, properties: var) {
        if (effect)
            effect.createObject(parent, properties)
    }
}
