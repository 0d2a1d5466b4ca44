// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import Lumivane

// A small modal alert with a title, a message and one "OK" button.
Popup {
    id: root
    property string title
    property string message
    // Bound to the flag that presents it; closing writes the flag back through `acknowledged`.
    property bool presented: false
    signal acknowledged()
    onPresentedChanged: presented ? open() : close()
    Component.onCompleted: if (presented) open()

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    width: 280
    modal: true
    dim: true
    padding: 20
    closePolicy: Popup.CloseOnEscape
    onClosed: acknowledged()

    background: Rectangle {
        radius: 12
        color: Qt.rgba(0.2, 0.2, 0.2, 1)
        border.color: Qt.rgba(1, 1, 1, 0.12)
    }
    contentItem: Column {
        spacing: 8
        Text {
            width: parent.width
            text: root.title
            font.pixelSize: TextStyle.headline
            font.bold: true
            color: "white"
            horizontalAlignment: Text.AlignHCenter
        }
        Text {
            width: parent.width
            text: root.message
            font.pixelSize: 11
            color: Qt.rgba(1, 1, 1, 0.8)
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
        }
        Item { width: 1; height: 6 }
        PillButtonStyle {
            objectName: "alertOK"
            width: parent.width
            filled: false
            text: "OK"
            onClicked: root.close()
        }
    }
}
