// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T
import Lumivane

// Close, minimise and maximise for the frameless window, drawn where the title bar would be.
Row {
    id: root
    spacing: 8

    component ControlDot: T.AbstractButton {
        id: dot
        property string symbol
        property color color
        signal activated()
        width: 12
        height: 12
        focusPolicy: Qt.StrongFocus
        hoverEnabled: true
        Accessible.role: Accessible.Button
        Keys.onReturnPressed: activated()
        Keys.onEnterPressed: activated()
        onClicked: activated()
        background: Rectangle {
            radius: 6
            color: dot.color
            FocusRing { control: dot; inset: 2 }
        }
        contentItem: Item {
            Symbol {
                anchors.centerIn: parent
                name: dot.symbol
                size: 10
                color: Qt.rgba(0, 0, 0, 0.6)
                visible: dot.hovered || dot.visualFocus
            }
        }
    }

    ControlDot {
        objectName: "closeControl"
        color: "#ff5f57"
        symbol: "xmark"
        Accessible.name: qsTr("Close window")
        onActivated: Window.window.close()
    }
    ControlDot {
        objectName: "minimizeControl"
        color: "#febc2e"
        symbol: "minus"
        Accessible.name: qsTr("Minimise")
        onActivated: Window.window.showMinimized()
    }
    ControlDot {
        objectName: "maximizeControl"
        color: "#28c840"
        symbol: "arrow.up.left.and.arrow.down.right"
        Accessible.name: Window.window && Window.window.visibility === Window.Maximized ? qsTr("Restore") : qsTr("Maximise")
        onActivated: Window.window.visibility === Window.Maximized ? Window.window.showNormal()
                                                                   : Window.window.showMaximized()
    }
}
