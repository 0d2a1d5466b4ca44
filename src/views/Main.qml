// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// The one window: no title bar, content up to the top edge, our own window controls in the
// toolbar and resize grips along the edges. The desktop's own title bar instead when the user
// asks for it, or when the platform cannot move a frameless window.
// A plain window rather than the controls module's, which would load that module before the
// first frame.
Window {
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
    flags: WindowFrame.windowFlags(systemDecorations)

    // What the controls module's window did for us: a closed menu or dialog hands the keyboard
    // back to the window's content, and the content's scope gives it to the control that had it.
    FocusScope {
        id: focusHome
        anchors.fill: parent
        focus: true
        // The window appears with its background first; its content is read and made right
        // after that first frame (or after a short wait, as a window never exposed draws none),
        // so the window's appearance does not wait for the toolbar, the sheets and Home.
        Loader {
            id: contentLoader
            anchors.fill: parent
            focus: true
            active: false
            source: Qt.resolvedUrl("MainContentView.qml")
        }
    }
    onActiveFocusItemChanged: if (activeFocusItem === contentItem) focusHome.forceActiveFocus(Qt.PopupFocusReason)
    readonly property QtObject content: contentLoader.item
    Connections {
        target: window
        enabled: !contentLoader.active
        function onFrameSwapped() { contentLoader.active = true }
    }
    Timer {
        interval: 500
        running: !contentLoader.active
        onTriggered: contentLoader.active = true
    }
    Binding {
        target: contentLoader.item
        property: "showsWindowControls"
        value: !window.systemDecorations
        when: contentLoader.item !== null
    }
    Connections {
        target: contentLoader.item
        ignoreUnknownSignals: true
        function onMoveFailed() { window.moveUnsupported = true }
    }

    ResizeBorder {
        anchors.fill: parent
        z: 1000
        visible: !window.systemDecorations && window.visibility !== Window.Maximized
                 && window.visibility !== Window.FullScreen
    }
}
