// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Lumivane

// The tab switcher: one pill for Home, Explore and Library. While Upload is shown no pill is
// highlighted, since Upload has its own toolbar button.
Rectangle {
    id: root
    objectName: "navPills"

    property int currentTab: AppTab.Home
    signal tabPicked(int tab)

    readonly property var tabs: [
        { tab: AppTab.Home, key: "Home", title: qsTr("Home") },
        { tab: AppTab.Explore, key: "Explore", title: qsTr("Explore") },
        { tab: AppTab.Library, key: "Library", title: qsTr("Library") }
    ]

    implicitWidth: row.implicitWidth + 8
    implicitHeight: row.implicitHeight + 8
    radius: height / 2
    color: Qt.rgba(1, 1, 1, 0.08)

    ChoiceBar {
        id: row
        anchors.centerIn: parent
        spacing: 4
        Repeater {
            model: root.tabs
            delegate: ChoiceButton {
                required property var modelData
                objectName: "pill" + modelData.key
                selected: modelData.tab === root.currentTab
                text: modelData.title
                leftPadding: 16
                rightPadding: 16
                fontSize: 13
                idleTextColor: AppPalette.gray
                onClicked: root.tabPicked(modelData.tab)
            }
        }
    }
}
