// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A remote image drawn with rounded corners by one shader reading the image's own texture. A
// layer with an opacity mask would cost two offscreen textures and a mask pass per thumbnail.
ShaderEffect {
    id: effect
    required property Image image
    property real radius

    // The rectangle the image is painted in, and the part of its texture shown there, as the
    // image's own fill mode would place it.
    readonly property real across: image.implicitWidth > 0 ? image.width / image.implicitWidth : 0
    readonly property real down: image.implicitHeight > 0 ? image.height / image.implicitHeight : 0
    readonly property bool crops: image.fillMode === Image.PreserveAspectCrop
    readonly property real factor: crops ? Math.max(across, down) : Math.min(across, down)
    readonly property real shownWidth: Math.min(image.width, image.implicitWidth * factor)
    readonly property real shownHeight: Math.min(image.height, image.implicitHeight * factor)

    x: image.x + (image.width - shownWidth) / 2
    y: image.y + (image.height - shownHeight) / 2
    width: shownWidth
    height: shownHeight
    visible: image.status === Image.Ready && factor > 0
    opacity: image.opacity

    readonly property var source: image
    readonly property size size: Qt.size(width, height)
    readonly property rect part: {
        const w = factor > 0 ? shownWidth / (image.implicitWidth * factor) : 1
        const h = factor > 0 ? shownHeight / (image.implicitHeight * factor) : 1
        return Qt.rect((1 - w) / 2, (1 - h) / 2, w, h)
    }
    fragmentShader: "roundedimage.frag.qsb"
}
