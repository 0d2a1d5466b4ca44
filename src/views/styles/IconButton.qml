// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// A button that is only a symbol. It has no text to read, so give it an Accessible.name that
// says what it does ("Close", "Add to favourites").
ButtonBase {
    id: control

    property string symbol
    property real symbolSize: 13
    property color symbolColor: "white"
    // Room around the glyph that still takes the click.
    property real margin: 0
    // A disc behind the symbol (none by default).
    property color fill: "transparent"
    // The symbol item, for effects a caller lays on it.
    readonly property alias glyph: glyph

    implicitWidth: glyph.implicitWidth + 2 * margin
    implicitHeight: glyph.implicitHeight + 2 * margin
    Accessible.role: Accessible.Button
    Accessible.onPressAction: control.click()

    Rectangle {
        anchors.fill: parent
        radius: Math.min(width, height) / 2
        color: control.fill
        FocusRing {
            control: control
            anchors.fill: undefined
            anchors.centerIn: parent
            width: Math.max(glyph.implicitWidth, glyph.implicitHeight, control.fill.a > 0 ? control.width : 0) + 2 * inset
            height: width
        }
    }
    Symbol {
        id: glyph
        anchors.centerIn: parent
        name: control.symbol
        size: control.symbolSize
        color: control.symbolColor
    }
}
