// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// The tab switcher: one pill for Home, Explore and Library. While Upload is shown no pill is
// highlighted, since Upload has its own toolbar button.
Rectangle {
    id: root
    objectName: "navPills"

    property string currentTab
    signal tabPicked(string tab)

    implicitWidth: row.implicitWidth + 8
    implicitHeight: row.implicitHeight + 8
    radius: height / 2
    color: Qt.rgba(1, 1, 1, 0.08)

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 4
        Repeater {
            model: AppState.pillTabs
            delegate: Rectangle {
                id: pill
                required property string modelData
                readonly property bool selected: modelData === root.currentTab
                objectName: "pill" + modelData
                implicitWidth: label.implicitWidth + 32
                implicitHeight: label.implicitHeight + 12
                radius: height / 2
                color: selected ? "white" : "transparent"
                Behavior on color { ColorAnimation { duration: 200; easing.type: Easing.InOutQuad } }
                Text {
                    id: label
                    anchors.centerIn: parent
                    text: pill.modelData
                    font.pixelSize: 13
                    font.weight: pill.selected ? Font.DemiBold : Font.Normal
                    color: pill.selected ? "black" : AppPalette.gray
                    Behavior on color { ColorAnimation { duration: 200; easing.type: Easing.InOutQuad } }
                }
                TapHandler { onTapped: root.tabPicked(pill.modelData) }
            }
        }
    }
}
