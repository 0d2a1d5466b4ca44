// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// One choice of a ChoiceBar (the tab pills, the library switcher, the category chips, the sort
// segments): a label on a capsule that is filled while `selected`. A screen reader hears a tab,
// checked while selected.
ButtonBase {
    id: control

    property bool selected: false
    property real fontSize: 13
    property int selectedWeight: Font.DemiBold
    property color selectedFill: "white"
    property color idleFill: "transparent"
    property color hoverFill: idleFill
    property color selectedTextColor: "black"
    property color idleTextColor: AppPalette.secondaryText
    property real radius: height / 2
    property int colorDuration: 200
    property int colorEasing: Easing.InOutQuad

    property real leftPadding: 16
    property real rightPadding: 16
    property real topPadding: 6
    property real bottomPadding: 6

    implicitWidth: label.implicitWidth + leftPadding + rightPadding
    implicitHeight: label.implicitHeight + topPadding + bottomPadding
    Accessible.role: Accessible.PageTab
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: selected
    Accessible.selected: selected
    // Qt offers no "Press" for a tab of its own; a screen reader's press picks it, as a click does.
    Accessible.onPressAction: control.click()

    Text {
        id: label
        anchors.centerIn: parent
        anchors.horizontalCenterOffset: (control.leftPadding - control.rightPadding) / 2
        anchors.verticalCenterOffset: (control.topPadding - control.bottomPadding) / 2
        text: control.text
        font.pixelSize: control.fontSize
        font.weight: control.selected ? control.selectedWeight : Font.Normal
        color: control.selected ? control.selectedTextColor : control.idleTextColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        Behavior on color { enabled: control.colorDuration > 0; ColorAnimation { duration: control.colorDuration; easing.type: control.colorEasing } }
    }
    Rectangle {
        id: background
        z: -1
        anchors.fill: parent
        radius: control.radius
        color: control.selected ? control.selectedFill : (control.hovered ? control.hoverFill : control.idleFill)
        Behavior on color { ColorAnimation { duration: control.colorDuration; easing.type: control.colorEasing } }
        FocusRing { control: control; radius: control.radius + inset }
    }
}
