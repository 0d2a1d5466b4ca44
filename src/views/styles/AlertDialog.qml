// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T
import Lumivane

// A small modal alert with a title, a message and one "OK" button. It takes the keyboard while
// shown (Enter, Space or Escape dismiss it) and gives it back to the sheet beneath.
T.Popup {
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
    implicitHeight: contentItem.implicitHeight + topPadding + bottomPadding
    modal: true
    dim: true
    focus: true
    padding: 20
    closePolicy: T.Popup.NoAutoClose
    T.Overlay.modal: Rectangle { color: Qt.rgba(0, 0, 0, 0.5) }
    onClosed: acknowledged()

    background: Rectangle {
        radius: 12
        color: Qt.rgba(0.2, 0.2, 0.2, 1)
        border.color: Qt.rgba(1, 1, 1, 0.12)
    }
    contentItem: FocusScope {
        focus: true
        implicitHeight: children[0].implicitHeight
        Accessible.role: Accessible.AlertMessage
        Accessible.name: root.title
        Accessible.description: root.message
        Keys.onEscapePressed: root.close()
        Column {
            width: parent.width
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
            PillButton {
                objectName: "alertOK"
                width: parent.width
                focus: true
                filled: false
                text: qsTr("OK")
                onClicked: root.close()
            }
        }
    }
}
