// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// Close, minimise and maximise for the frameless window, drawn where the title bar would be.
Row {
    id: root
    spacing: 8

    component ControlDot: Rectangle {
        id: dot
        property string symbol
        signal activated()
        width: 12
        height: 12
        radius: 6
        Symbol {
            anchors.centerIn: parent
            name: dot.symbol
            size: 10
            color: Qt.rgba(0, 0, 0, 0.6)
            visible: hover.hovered
        }
        HoverHandler { id: hover }
        TapHandler { onTapped: dot.activated() }
    }

    ControlDot {
        objectName: "closeControl"
        color: "#ff5f57"
        symbol: "xmark"
        onActivated: Window.window.close()
    }
    ControlDot {
        objectName: "minimizeControl"
        color: "#febc2e"
        symbol: "minus"
        onActivated: Window.window.showMinimized()
    }
    ControlDot {
        objectName: "maximizeControl"
        color: "#28c840"
        symbol: "arrow.up.left.and.arrow.down.right"
        onActivated: Window.window.visibility === Window.Maximized ? Window.window.showNormal()
                                                                   : Window.window.showMaximized()
    }
}
