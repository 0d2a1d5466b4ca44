import QtQuick
import QtQuick.Controls
import Lumivane

ApplicationWindow {
    id: window
    objectName: "mainWindow"
    width: 1280
    height: 800
    minimumWidth: 1100
    minimumHeight: 720
    visible: true
    title: "Lumivane"
    color: Qt.rgba(0.1, 0.1, 0.1, 1)
    palette.window: Qt.rgba(0.1, 0.1, 0.1, 1)
    palette.windowText: "white"

    Label {
        anchors.centerIn: parent
        color: "white"
        text: AppState.currentTab
    }
}
