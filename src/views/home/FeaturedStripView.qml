// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Lumivane

// Thumbnails of the featured wallpapers; the selected one is full-strength, outlined and full
// size, the others dimmed and a little smaller. Left and Right move the keyboard along the strip.
ListView {
    id: root
    objectName: "featuredStrip"

    property var wallpapers: []
    property int selectedIndex: 0
    signal picked(int index)

    orientation: ListView.Horizontal
    spacing: 10
    leftMargin: 28
    rightMargin: 28
    height: 100
    boundsBehavior: Flickable.StopAtBounds
    model: wallpapers
    keyNavigationEnabled: false

    function focusThumb(index) {
        if (index < 0 || index >= count)
            return
        positionViewAtIndex(index, ListView.Contain)
        const thumb = itemAtIndex(index)
        if (thumb)
            thumb.forceActiveFocus(Qt.TabFocusReason)
    }

    delegate: ButtonBase {
        id: thumb
        required property var modelData
        required property int index
        readonly property bool selected: index === root.selectedIndex
        objectName: "featuredThumb" + index
        width: 160
        height: 100
        opacity: selected ? 1.0 : 0.55
        scale: selected ? 1.0 : 0.97
        Behavior on opacity { NumberAnimation { duration: 300; easing.type: Easing.OutCubic } }
        Behavior on scale { NumberAnimation { duration: 300; easing.type: Easing.OutCubic } }
        Accessible.role: Accessible.PageTab
        Accessible.name: thumb.modelData.title
        Accessible.checkable: true
        Accessible.checked: thumb.selected
        Keys.onLeftPressed: root.focusThumb(index - 1)
        Keys.onRightPressed: root.focusThumb(index + 1)
        Accessible.onPressAction: click()
        onClicked: root.picked(thumb.index)

        RemoteImage {
            anchors.fill: parent
            source: thumb.modelData.thumbnailURL
            radius: 12
            showsActivity: false
        }
        Rectangle {
            anchors.fill: parent
            visible: thumb.selected
            radius: 12
            color: "transparent"
            border.width: 2
            border.color: "white"
        }
        FocusRing { control: thumb; radius: 12 + inset }
    }
}
