// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// Empty-state panel: large faint symbol, title and subtitle, 100 from the top.
Item {
    id: root
    property string icon
    property string title
    property string subtitle

    implicitHeight: column.implicitHeight + 100

    Column {
        id: column
        y: 100
        width: parent.width
        spacing: 16
        Symbol {
            anchors.horizontalCenter: parent.horizontalCenter
            name: root.icon
            size: 48
            color: Qt.rgba(1, 1, 1, 0.15)
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.title
            font.pixelSize: TextStyle.headline
            font.bold: true
            color: Qt.rgba(1, 1, 1, 0.5)
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.subtitle
            font.pixelSize: TextStyle.subheadline
            color: AppPalette.secondaryText
        }
    }
}
