// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The blur behind the toolbar and the Upload screen's backdrop; fills its parent, under its
// siblings. The source is drawn shrunk by about a third of the radius, which is most of the
// blur, and one pass of our own shader smooths it: no module of effects to load, and no blur
// passes over the full-size picture.
ShaderEffect {
    id: effect
    required property Item source
    property real radius: 32

    anchors.fill: parent
    z: -1

    ShaderEffectSource {
        id: shrunk
        sourceItem: effect.source
        hideSource: true
        live: true
        smooth: true
        visible: false
        textureSize.width: Math.max(1, Math.ceil(effect.width * 3 / Math.max(3, effect.radius)))
        textureSize.height: Math.max(1, Math.ceil(effect.height * 3 / Math.max(3, effect.radius)))
    }
    readonly property var shrunkSource: shrunk
    readonly property size texel: Qt.size(1 / shrunk.textureSize.width, 1 / shrunk.textureSize.height)
    fragmentShader: "blur.frag.qsb"
}
