// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// The window's own buttons, in the flat round style of Linux title bars, in the order given
// ("minimize", "maximize", "close"; the desktop's choice, see WindowFrame).
Row {
    id: root
    property var buttons: []
    spacing: 6

    component WindowButton: ButtonBase {
        id: button
        property string symbol
        readonly property bool maximized: Window.window !== null && Window.window.visibility === Window.Maximized
        implicitWidth: 24
        implicitHeight: 24
        anchors.verticalCenter: parent ? parent.verticalCenter : undefined
        Accessible.role: Accessible.Button
        Accessible.onPressAction: click()
        Rectangle {
            anchors.fill: parent
            radius: width / 2
            color: Qt.rgba(1, 1, 1, button.down ? 0.24 : button.hovered ? 0.16 : 0.08)
            FocusRing { control: button; inset: 2 }
        }
        Symbol {
            anchors.centerIn: parent
            name: button.symbol
            size: 14
            color: Qt.rgba(1, 1, 1, 0.85)
        }
    }

    Repeater {
        model: root.buttons
        delegate: WindowButton {
            id: windowButton
            required property string modelData
            objectName: windowButton.modelData + "Control"
            symbol: windowButton.modelData === "close" ? "xmark"
                  : windowButton.modelData === "minimize" ? "window.minimize"
                  : windowButton.maximized ? "window.restore" : "window.maximize"
            Accessible.name: windowButton.modelData === "close" ? qsTr("Close window")
                           : windowButton.modelData === "minimize" ? qsTr("Minimise")
                           : windowButton.maximized ? qsTr("Restore") : qsTr("Maximise")
            onClicked: {
                if (windowButton.modelData === "close")
                    windowButton.Window.window.close()
                else if (windowButton.modelData === "minimize")
                    windowButton.Window.window.showMinimized()
                else if (windowButton.maximized)
                    windowButton.Window.window.showNormal()
                else
                    windowButton.Window.window.showMaximized()
            }
        }
    }
}
