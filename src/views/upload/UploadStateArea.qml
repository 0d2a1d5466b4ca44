// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Basic
import Lumivane

// What the upload is doing: nothing, its progress, processing, success, or the failure with
// "Try again".
Item {
    id: root
    objectName: "uploadStateArea"

    property string uploadState: "idle"
    property real progress: 0
    property string message
    signal tryAgain()

    implicitHeight: {
        switch (uploadState) {
        case "uploading": return uploading.implicitHeight
        case "processing": return processing.implicitHeight
        case "success": return success.implicitHeight
        case "failed": return failed.implicitHeight
        }
        return 0
    }
    height: implicitHeight
    visible: uploadState !== "idle"

    Column {
        id: uploading
        objectName: "uploadingState"
        visible: root.uploadState === "uploading"
        spacing: 8
        ProgressBar {
            width: AppConfig.uploadContentWidth
            from: 0
            to: 1
            value: root.progress
            background: Rectangle { implicitHeight: 4; radius: 2; color: Qt.rgba(1, 1, 1, 0.15) }
            contentItem: Item {
                implicitHeight: 4
                Rectangle {
                    width: parent.width * Math.max(0, Math.min(1, root.progress))
                    height: parent.height
                    radius: 2
                    color: "white"
                }
            }
        }
        Text {
            objectName: "uploadingText"
            text: qsTr("Uploading... %1%").arg(Math.floor(root.progress * 100))
            font.pixelSize: TextStyle.caption
            color: AppPalette.secondaryText
        }
    }

    Row {
        id: processing
        objectName: "processingState"
        visible: root.uploadState === "processing"
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 8
        Spinner {
            width: 16
            height: 16
            opacity: 0.6
            running: processing.visible
            anchors.verticalCenter: parent.verticalCenter
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Processing image...")
            font.pixelSize: 13
            color: AppPalette.secondaryText
        }
    }

    Row {
        id: success
        objectName: "successState"
        visible: root.uploadState === "success"
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 8
        Symbol { anchors.verticalCenter: parent.verticalCenter; name: "checkmark.circle.fill"; size: 16; color: AppPalette.green }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Wallpaper submitted for review!")
            font.pixelSize: 13
            font.weight: Font.Medium
            color: AppPalette.green
        }
    }

    Column {
        id: failed
        objectName: "failedState"
        visible: root.uploadState === "failed"
        width: parent.width
        spacing: 8
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8
            Symbol { anchors.verticalCenter: parent.verticalCenter; name: "xmark.circle.fill"; size: 16; color: AppPalette.red }
            Text {
                objectName: "failureMessage"
                anchors.verticalCenter: parent.verticalCenter
                width: Math.min(implicitWidth, root.width - 24)
                text: root.message
                font.pixelSize: 13
                color: Qt.rgba(1, 0.27, 0.23, 0.8)
                wrapMode: Text.Wrap
            }
        }
        PillButton {
            objectName: "tryAgainButton"
            filled: false
            text: qsTr("Try again")
            onClicked: root.tryAgain()
        }
    }
}
