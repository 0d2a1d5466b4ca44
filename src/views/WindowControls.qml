// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T
import Lumivane

// The window's own buttons, in the flat round style of Linux title bars, in the order given
// ("minimize", "maximize", "close"; the desktop's choice, see WindowFrame).
Row {
    id: root
    property var buttons: []
    spacing: 6

    readonly property bool maximized: Window.window !== null && Window.window.visibility === Window.Maximized

    component WindowButton: T.AbstractButton {
        id: button
        property string symbol
        implicitWidth: 24
        implicitHeight: 24
        anchors.verticalCenter: parent ? parent.verticalCenter : undefined
        focusPolicy: Qt.StrongFocus
        hoverEnabled: true
        Accessible.role: Accessible.Button
        Keys.onReturnPressed: clicked()
        Keys.onEnterPressed: clicked()
        background: Rectangle {
            radius: width / 2
            color: Qt.rgba(1, 1, 1, button.down ? 0.24 : button.hovered ? 0.16 : 0.08)
            FocusRing { control: button; inset: 2 }
        }
        contentItem: Item {
            Symbol {
                anchors.centerIn: parent
                name: button.symbol
                size: 14
                color: Qt.rgba(1, 1, 1, 0.85)
            }
        }
    }

    Repeater {
        model: root.buttons
        delegate: WindowButton {
            required property string modelData
            objectName: modelData + "Control"
            symbol: modelData === "close" ? "xmark"
                  : modelData === "minimize" ? "window.minimize"
                  : root.maximized ? "window.restore" : "window.maximize"
            Accessible.name: modelData === "close" ? qsTr("Close window")
                           : modelData === "minimize" ? qsTr("Minimise")
                           : root.maximized ? qsTr("Restore") : qsTr("Maximise")
            onClicked: {
                if (modelData === "close")
                    Window.window.close()
                else if (modelData === "minimize")
                    Window.window.showMinimized()
                else if (root.maximized)
                    Window.window.showNormal()
                else
                    Window.window.showMaximized()
            }
        }
    }
}
