// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// The 52-high bar floating over the top of every screen: title, tab switcher, Upload and
// Settings, with the window's buttons on the sides the desktop puts them. What scrolls beneath
// shows through blurred and darkened. Dragging the bar moves the window.
Item {
    id: root
    objectName: "toolbar"

    // The item whose pixels sit beneath the bar (the current screen).
    property Item blurSource
    property bool showsWindowControls: true
    signal moveFailed()

    height: 52

    ShaderEffectSource {
        id: beneath
        anchors.fill: parent
        sourceItem: root.blurSource
        sourceRect: Qt.rect(0, 0, root.width, root.height)
        visible: false
        live: true
        recursive: false
        // The blur reads it shrunk: mipmaps make that an average rather than a sampling.
        mipmap: true
    }
    Component.onCompleted: Effects.add(Effects.blur, root, { source: beneath, radius: 48 })
    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0.12, 0.12, 0.12, 0.55) // the thin material's own tint
    }
    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.3)
    }

    // The bar's empty part: dragging it moves the window, a double-click maximises or restores
    // it. The move starts only once the pointer travels, so that a double-click reaches us
    // instead of the window manager's move.
    Item {
        objectName: "toolbarDragArea"
        anchors.fill: parent
        DragHandler {
            target: null
            acceptedButtons: Qt.LeftButton
            onActiveChanged: {
                if (active && !root.Window.window.startSystemMove())
                    root.moveFailed()
            }
        }
        TapHandler {
            acceptedButtons: Qt.LeftButton
            onDoubleTapped: {
                const window = root.Window.window
                if (window.visibility === Window.Maximized)
                    window.showNormal()
                else
                    window.showMaximized()
            }
        }
    }

    // Title on the left, Upload and Settings on the right, the tab switcher centred in the room
    // between them; the window's buttons outermost on their side.
    Row {
        id: leading
        anchors.left: parent.left
        anchors.leftMargin: 20
        anchors.verticalCenter: parent.verticalCenter
        spacing: 18

        WindowControls {
            objectName: "leftWindowControls"
            anchors.verticalCenter: parent.verticalCenter
            buttons: WindowFrame.leftButtons
            visible: root.showsWindowControls && buttons.length > 0
        }

        Row {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8
            Item {
                id: sparkleHost
                width: sparkle.implicitWidth
                height: sparkle.implicitHeight
                anchors.verticalCenter: parent.verticalCenter
                Component.onCompleted: Effects.add(Effects.gradientFill, sparkleHost,
                                                   { source: sparkle, from: AppPalette.blue, to: AppPalette.purple })
                Symbol {
                    id: sparkle
                    name: "sparkle"
                    size: 16
                    font.weight: Font.DemiBold
                    color: AppPalette.blue
                    visible: Rendering.software
                }
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Lumivane")
                font.pixelSize: TextStyle.headline
                font.bold: true
                color: "white"
            }
        }
    }

    NavPillTabView {
        x: Math.round(leading.x + leading.width + (trailing.x - leading.x - leading.width - width) / 2)
        anchors.verticalCenter: parent.verticalCenter
        currentTab: AppState.currentTab
        onTabPicked: tab => AppState.currentTab = tab
    }

    Row {
        id: trailing
        anchors.right: parent.right
        anchors.rightMargin: 20
        anchors.verticalCenter: parent.verticalCenter
        spacing: 18

        Row {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 12
            PillButton {
                objectName: "uploadButton"
                anchors.verticalCenter: parent.verticalCenter
                leftPadding: 12
                rightPadding: 12
                topPadding: 6
                bottomPadding: 6
                spacing: 4
                pressedScale: 1
                fill: "transparent"
                outline: Qt.rgba(1, 1, 1, 0.25)
                symbol: "arrow.up.square"
                text: qsTr("Upload")
                font.pixelSize: TextStyle.subheadline
                font.weight: Font.Normal
                onClicked: AppState.currentTab = AppTab.Upload
            }
            IconButton {
                objectName: "settingsButton"
                anchors.verticalCenter: parent.verticalCenter
                width: 32
                height: 32
                fill: Qt.rgba(1, 1, 1, 0.08)
                symbol: "gearshape"
                symbolSize: 14
                symbolColor: Qt.rgba(1, 1, 1, 0.7)
                Accessible.name: qsTr("Settings")
                onClicked: AppState.showSettings = true
            }
        }

        WindowControls {
            objectName: "rightWindowControls"
            anchors.verticalCenter: parent.verticalCenter
            buttons: WindowFrame.rightButtons
            visible: root.showsWindowControls && buttons.length > 0
        }
    }
}
