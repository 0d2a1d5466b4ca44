// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// Error panel: warning symbol, message and, when retryable, a "Retry" button.
Item {
    id: root
    objectName: "errorPanel"

    property string message
    property bool retryable: false
    signal retry()

    implicitWidth: Math.min(420, Math.max(200, messageMetrics.width + 64))
    TextMetrics {
        id: messageMetrics
        text: root.message
        font.pixelSize: TextStyle.subheadline
    }
    implicitHeight: column.implicitHeight + 64

    // Its halo is made the first time it shows: Home holds a hidden one at every start, and the
    // halo's effect module would load with it.
    property bool haloMade: false
    function makeHalo() {
        if (visible && !haloMade) {
            haloMade = true
            Effects.add(Effects.glow(), root, {})
        }
    }
    onVisibleChanged: makeHalo()
    Component.onCompleted: makeHalo()
    Rectangle {
        id: panel
        anchors.fill: parent
        radius: 20
        color: Qt.rgba(0.22, 0.22, 0.22, 0.72)
        border.color: Qt.rgba(1, 1, 1, 0.1)
        border.width: 1
    }
    Column {
        id: column
        anchors.centerIn: parent
        width: parent.width - 64
        spacing: 16
        Symbol {
            anchors.horizontalCenter: parent.horizontalCenter
            name: "exclamationmark.triangle"
            size: 36
            color: AppPalette.orange
        }
        Text {
            width: parent.width
            text: root.message
            font.pixelSize: TextStyle.subheadline
            color: Qt.rgba(1, 1, 1, 0.7)
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
        }
        PillButton {
            objectName: "retryButton"
            anchors.horizontalCenter: parent.horizontalCenter
            visible: root.retryable
            filled: true
            text: qsTr("Retry")
            onClicked: root.retry()
        }
    }
}
