// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// Its source's shape filled with a diagonal gradient from `from` to `to`; fills its parent.
ShaderEffect {
    id: effect
    required property Item source
    property color from
    property color to
    readonly property size size: Qt.size(width, height)

    anchors.fill: parent

    ShaderEffectSource {
        id: shapeSource
        sourceItem: effect.source
        hideSource: true
        visible: false
    }
    readonly property var shape: shapeSource
    fragmentShader: "gradientfill.frag.qsb"
}
