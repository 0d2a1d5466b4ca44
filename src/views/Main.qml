// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Lumivane

// The one window: no title bar, content up to the top edge, our own window controls in the
// toolbar and resize grips along the edges. The desktop's own title bar instead when the user
// asks for it, or when the platform cannot move a frameless window.
ApplicationWindow {
    id: window
    objectName: "mainWindow"
    width: AppConfig.defaultWindowWidth
    height: AppConfig.defaultWindowHeight
    minimumWidth: AppConfig.minWindowWidth
    minimumHeight: AppConfig.minWindowHeight
    visible: true
    title: "Lumivane"
    color: AppPalette.background
    // Controls we do not draw ourselves (combo box lists, menus, the file dialog) take their
    // colours from here: light text on dark surfaces, like the rest of the window.
    palette.window: AppPalette.background
    palette.windowText: "white"
    palette.base: "#26262b"
    palette.alternateBase: "#2d2d33"
    palette.text: "white"
    palette.button: "#34343a"
    palette.buttonText: "white"
    palette.light: "#44444b"
    palette.midlight: "#3a3a41"
    palette.mid: "#55555c"
    palette.dark: "#8e8e93"
    palette.highlight: AppPalette.blue
    palette.highlightedText: "white"
    palette.placeholderText: "#8e8e93"
    palette.toolTipBase: "#34343a"
    palette.toolTipText: "white"

    property bool moveUnsupported: false
    readonly property bool systemDecorations: WindowFrame.systemDecorations || moveUnsupported
    flags: systemDecorations ? Qt.Window : (Qt.Window | Qt.FramelessWindowHint)

    MainContentView {
        id: content
        anchors.fill: parent
        showsWindowControls: !window.systemDecorations
        onMoveFailed: window.moveUnsupported = true
    }

    ResizeBorder {
        anchors.fill: parent
        z: 1000
        visible: !window.systemDecorations && window.visibility !== Window.Maximized
                 && window.visibility !== Window.FullScreen
    }
}
