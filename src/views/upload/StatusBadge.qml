// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// Moderation state of an upload: Pending (yellow), Approved (green), Rejected (red).
Rectangle {
    id: root
    property string status
    readonly property var looks: ({
        "pending": { text: qsTr("Pending"), color: AppPalette.yellow },
        "approved": { text: qsTr("Approved"), color: AppPalette.green },
        "rejected": { text: qsTr("Rejected"), color: AppPalette.red }
    })
    readonly property var look: looks[status] !== undefined ? looks[status] : looks["pending"]
    readonly property string text: look.text

    implicitWidth: label.implicitWidth + 16
    implicitHeight: label.implicitHeight + 6
    radius: height / 2
    color: Qt.rgba(look.color.r, look.color.g, look.color.b, 0.15)
    Text {
        id: label
        anchors.centerIn: parent
        text: root.look.text
        font.pixelSize: 10
        font.bold: true
        color: root.look.color
    }
}
