// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// Capsule button: white with black text when filled, translucent white otherwise. Shrinks to
// 96 % while held. Space and Enter press it.
ButtonBase {
    id: control

    property bool filled: false
    property string symbol: ""
    property real symbolSize: 13
    property color symbolColor: foreground
    readonly property color foreground: filled ? "black" : "white"
    property color fill: filled ? "white" : Qt.rgba(1, 1, 1, 0.15)
    property color outline: "transparent"
    property real pressedScale: 0.96
    property real leftPadding: 16
    property real rightPadding: 16
    property real topPadding: 7
    property real bottomPadding: 7
    property real spacing: 6
    property alias font: label.font
    readonly property alias implicitContentWidth: content.implicitWidth

    implicitWidth: content.implicitWidth + leftPadding + rightPadding
    implicitHeight: content.implicitHeight + topPadding + bottomPadding
    opacity: enabled ? 1.0 : 0.45
    scale: down ? pressedScale : 1.0
    Behavior on scale { NumberAnimation { duration: 200; easing.type: Easing.OutCubic } }
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: control.click()

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: control.fill
        border.color: control.outline
        border.width: control.outline.a > 0 ? 1 : 0
        FocusRing { control: control }
    }
    Row {
        id: content
        anchors.centerIn: parent
        anchors.horizontalCenterOffset: (control.leftPadding - control.rightPadding) / 2
        anchors.verticalCenterOffset: (control.topPadding - control.bottomPadding) / 2
        spacing: control.spacing
        Symbol {
            name: control.symbol
            size: control.symbolSize
            color: control.symbolColor
            visible: control.symbol !== ""
            anchors.verticalCenter: parent.verticalCenter
        }
        Text {
            id: label
            text: control.text
            font.pixelSize: 13
            font.weight: Font.Medium
            color: control.foreground
            visible: control.text !== ""
            anchors.verticalCenter: parent.verticalCenter
        }
    }
}
