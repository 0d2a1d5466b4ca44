// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Qt5Compat.GraphicalEffects
import Lumivane

// The 52-high bar floating over the top of every screen: title, tab switcher, Upload and
// Settings. What scrolls beneath shows through blurred and darkened. Dragging the bar moves
// the window.
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
    }
    FastBlur {
        anchors.fill: parent
        source: beneath
        radius: 48
        visible: !Rendering.software
    }
    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0.12, 0.12, 0.12, 0.55) // the thin material's own tint
    }
    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.3)
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.LeftButton
        onPressed: {
            if (!Window.window.startSystemMove())
                root.moveFailed()
        }
        onDoubleClicked: Window.window.visibility === Window.Maximized ? Window.window.showNormal()
                                                                       : Window.window.showMaximized()
    }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 20
        anchors.rightMargin: 20
        spacing: 0

        WindowControls {
            visible: root.showsWindowControls
            Layout.rightMargin: 18
        }

        Row {
            spacing: 8
            Item {
                width: sparkle.implicitWidth
                height: sparkle.implicitHeight
                anchors.verticalCenter: parent.verticalCenter
                Symbol {
                    id: sparkle
                    name: "sparkle"
                    size: 16
                    font.weight: Font.DemiBold
                    color: AppPalette.blue
                    visible: Rendering.software
                }
                LinearGradient {
                    anchors.fill: sparkle
                    source: sparkle
                    start: Qt.point(0, 0)
                    end: Qt.point(width, height)
                    visible: !Rendering.software
                    gradient: Gradient {
                        GradientStop { position: 0; color: AppPalette.blue }
                        GradientStop { position: 1; color: AppPalette.purple }
                    }
                }
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "Lumivane"
                font.pixelSize: TextStyle.headline
                font.bold: true
                color: "white"
            }
        }

        Item { Layout.fillWidth: true }

        NavPillTabView {
            currentTab: AppState.currentTab
            onTabPicked: tab => AppState.currentTab = tab
        }

        Item { Layout.fillWidth: true }

        Row {
            spacing: 12
            Rectangle {
                objectName: "uploadButton"
                anchors.verticalCenter: parent.verticalCenter
                width: uploadLabel.implicitWidth + 24
                height: uploadLabel.implicitHeight + 12
                radius: height / 2
                color: "transparent"
                border.color: Qt.rgba(1, 1, 1, 0.25)
                border.width: 1
                Row {
                    id: uploadLabel
                    anchors.centerIn: parent
                    spacing: 4
                    Symbol {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "arrow.up.square"
                        size: 13
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: "Upload"
                        font.pixelSize: TextStyle.subheadline
                        color: "white"
                    }
                }
                TapHandler { onTapped: AppState.currentTab = "Upload" }
            }
            Rectangle {
                objectName: "settingsButton"
                anchors.verticalCenter: parent.verticalCenter
                width: 32
                height: 32
                radius: 16
                color: Qt.rgba(1, 1, 1, 0.08)
                Symbol {
                    anchors.centerIn: parent
                    name: "gearshape"
                    size: 14
                    color: Qt.rgba(1, 1, 1, 0.7)
                }
                TapHandler { onTapped: AppState.showSettings = true }
            }
        }
    }
}
