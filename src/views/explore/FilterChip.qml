// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// A category chip: white when selected, a faint capsule otherwise that brightens under the
// pointer.
Rectangle {
    id: root
    property string title
    property bool isSelected: false
    readonly property bool isHovered: hover.hovered
    signal clicked()

    implicitWidth: label.implicitWidth + 28
    implicitHeight: label.implicitHeight + 12
    radius: height / 2
    color: isSelected ? "white" : Qt.rgba(1, 1, 1, isHovered ? 0.08 : 0.04)
    Behavior on color { ColorAnimation { duration: 150; easing.type: Easing.OutQuad } }

    Text {
        id: label
        anchors.centerIn: parent
        text: root.title
        font.pixelSize: 12
        font.weight: root.isSelected ? Font.DemiBold : Font.Normal
        color: root.isSelected ? "black" : AppPalette.secondaryText
    }
    HoverHandler { id: hover }
    TapHandler { onTapped: root.clicked() }
}
