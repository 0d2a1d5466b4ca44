// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T
import Lumivane

// Small white capsule button; shrinks to 94 % while held, without animation.
T.Button {
    id: control
    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset, implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset, implicitContentHeight + topPadding + bottomPadding)
    leftPadding: 10
    rightPadding: 10
    topPadding: 4
    bottomPadding: 4
    font.pixelSize: 11
    font.weight: Font.DemiBold
    scale: down ? 0.94 : 1.0
    Keys.onReturnPressed: control.clicked()
    Keys.onEnterPressed: control.clicked()
    contentItem: Text {
        text: control.text
        font: control.font
        color: "black"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        radius: height / 2
        color: "white"
        FocusRing { control: control; inset: 2 }
    }
}
