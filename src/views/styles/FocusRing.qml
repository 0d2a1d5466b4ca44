// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// The ring drawn around a control reached by the keyboard (not after a click: `visualFocus`).
// The control is one of our buttons or one of Qt's controls; both say `visualFocus`.
Rectangle {
    property Item control: parent
    property real inset: 3
    property bool shown: keyboardBrought(control)
    // Untyped, as the control may be ours or Qt's.
    function keyboardBrought(item) { return !!item && item.visualFocus === true }

    anchors.fill: parent
    anchors.margins: -inset
    radius: height / 2
    color: "transparent"
    border.width: 2
    border.color: AppPalette.blue
    visible: shown

    // Whatever the keyboard reaches is scrolled into view, clear of the floating toolbar.
    // After the event, so that the layout has placed the control.
    onShownChanged: if (shown) revealLater.restart()
    // A ring made only once its control has the keyboard sees no change.
    Component.onCompleted: if (shown) revealLater.restart()
    Timer { id: revealLater; interval: 0; onTriggered: parent.reveal() }
    function reveal() {
        if (!control || !control.visible)
            return
        for (let at = control.parent; at; at = at.parent) {
            if (at.contentY === undefined || at.flickableDirection === undefined)
                continue
            const box = control.mapToItem(at, 0, 0, control.width, control.height)
            if (at.contentHeight > at.height) {
                const clear = Math.max(16, 64 - at.mapToItem(null, 0, 0).y)
                const least = at.originY - at.topMargin
                const most = Math.max(least, at.originY + at.contentHeight + at.bottomMargin - at.height)
                if (box.y < clear)
                    at.contentY = Math.max(least, at.contentY + box.y - clear)
                else if (box.y + box.height > at.height - 16)
                    at.contentY = Math.min(most, at.contentY + box.y + box.height - at.height + 16)
            }
            if (at.contentWidth > at.width) {
                const least = at.originX - at.leftMargin
                const most = Math.max(least, at.originX + at.contentWidth + at.rightMargin - at.width)
                if (box.x < 8)
                    at.contentX = Math.max(least, at.contentX + box.x - 8)
                else if (box.x + box.width > at.width - 8)
                    at.contentX = Math.min(most, at.contentX + box.x + box.width - at.width + 8)
            }
        }
    }
}
