import QtQuick
import QtQuick.Controls.Basic
import Lumivane

// The one window: no title bar, content up to the top edge. Our own controls sit in the
// toolbar; where the window system cannot move a frameless window we go back to its frame.
ApplicationWindow {
    id: window
    objectName: "mainWindow"
    width: 1280
    height: 800
    minimumWidth: 1100
    minimumHeight: 720
    visible: true
    title: "Lumivane"
    color: Palette.background
    flags: Qt.Window | Qt.FramelessWindowHint
    palette.window: Palette.background
    palette.windowText: "white"
    palette.text: "white"
    palette.base: Palette.surface
    palette.button: Palette.surface
    palette.buttonText: "white"
    palette.highlight: Palette.blue
    palette.placeholderText: Qt.rgba(1, 1, 1, 0.35)

    readonly property bool frameless: (flags & Qt.FramelessWindowHint) !== 0

    MainContentView {
        id: content
        anchors.fill: parent
        showsWindowControls: window.frameless
        onMoveFailed: window.flags = Qt.Window
    }

    // Resize grips along the edges of the frameless window.
    component Grip: MouseArea {
        property int edges
        onPressed: window.startSystemResize(edges)
    }
    Grip { visible: window.frameless; edges: Qt.LeftEdge; width: 5; anchors { left: parent.left; top: parent.top; bottom: parent.bottom } cursorShape: Qt.SizeHorCursor }
    Grip { visible: window.frameless; edges: Qt.RightEdge; width: 5; anchors { right: parent.right; top: parent.top; bottom: parent.bottom } cursorShape: Qt.SizeHorCursor }
    Grip { visible: window.frameless; edges: Qt.BottomEdge; height: 5; anchors { left: parent.left; right: parent.right; bottom: parent.bottom } cursorShape: Qt.SizeVerCursor }
    Grip { visible: window.frameless; edges: Qt.TopEdge; height: 3; anchors { left: parent.left; right: parent.right; top: parent.top } cursorShape: Qt.SizeVerCursor }
    Grip { visible: window.frameless; edges: Qt.RightEdge | Qt.BottomEdge; width: 10; height: 10; anchors { right: parent.right; bottom: parent.bottom } cursorShape: Qt.SizeFDiagCursor }

    // Describes what is on screen for an outside observer, only when asked to.
    Timer {
        interval: 250
        repeat: true
        running: UiProbe.stateFile !== ""
        onTriggered: {
            const screen = content.currentScreen
            const state = {
                tab: AppState.currentTab,
                showSettings: AppState.showSettings,
                screen: screen && screen.describe ? screen.describe() : null
            }
            UiProbe.writeState(JSON.stringify(state))
        }
    }
}
