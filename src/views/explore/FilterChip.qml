// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// A category chip: white when selected, a faint capsule otherwise that brightens under the
// pointer.
ChoiceButton {
    id: root
    property alias title: root.text
    property alias isSelected: root.selected
    readonly property bool isHovered: hovered

    leftPadding: 14
    rightPadding: 14
    fontSize: 12
    idleFill: Qt.rgba(1, 1, 1, 0.04)
    hoverFill: Qt.rgba(1, 1, 1, 0.08)
    colorDuration: 150
    colorEasing: Easing.OutQuad
}
