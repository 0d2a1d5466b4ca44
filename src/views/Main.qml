// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import Lumivane

// The one window: no title bar, content up to the top edge, our own window controls in the
// toolbar. Where the platform cannot move a frameless window we hand the frame back to it.
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
    palette.window: AppPalette.background
    palette.windowText: "white"

    property bool systemDecorations: false
    flags: systemDecorations ? Qt.Window : (Qt.Window | Qt.FramelessWindowHint)

    MainContentView {
        id: content
        anchors.fill: parent
        showsWindowControls: !window.systemDecorations
        onMoveFailed: window.systemDecorations = true
    }

    // Reports what the window shows to whoever asked through LUMIVANE_UI_STATE_FILE.
    Timer {
        interval: 250
        repeat: true
        running: UiProbe.stateFile !== ""
        onTriggered: {
            const screen = content.currentScreen
            UiProbe.writeState(JSON.stringify({
                tab: AppState.currentTab,
                showSettings: AppState.showSettings,
                screen: screen && screen.describe ? screen.describe() : {}
            }))
        }
    }
}
