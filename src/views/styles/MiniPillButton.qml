// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// Small white capsule button; shrinks to 94 % while held, without animation.
ButtonBase {
    id: control
    implicitWidth: label.implicitWidth + 20
    implicitHeight: label.implicitHeight + 8
    scale: down ? 0.94 : 1.0
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: control.click()
    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: "white"
        FocusRing { control: control; inset: 2 }
    }
    Text {
        id: label
        anchors.centerIn: parent
        text: control.text
        font.pixelSize: 11
        font.weight: Font.DemiBold
        color: "black"
    }
}
