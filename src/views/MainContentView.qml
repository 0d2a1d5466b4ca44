// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import Lumivane

// Root of the window: the background, the screen of the current tab (created afresh on every
// change of tab, cross-fading over 0.2 s), the floating toolbar, the Settings sheet and the
// window's keyboard shortcuts. The shortcuts live here, inside the window's items, so that an
// open sheet blocks them as it blocks every other key.
Item {
    id: root
    objectName: "mainContent"

    property bool showsWindowControls: true
    // The screen on show; tests read it.
    property Item currentScreen: null
    signal moveFailed()

    // Each screen's file is read when the screen is first shown, so the first frame waits only
    // for Home's.
    function screenComponent(tab) {
        switch (tab) {
        case AppTab.Home: return Qt.createComponent("home/HomeView.qml")
        case AppTab.Explore: return Qt.createComponent("explore/ExploreView.qml")
        case AppTab.Library: return Qt.createComponent("library/LibraryView.qml")
        case AppTab.Upload: return Qt.createComponent("upload/UploadView.qml")
        }
        return null
    }

    // Holds one screen; fades it in when created and out before it is destroyed.
    component ScreenSlot: Item {
        id: slot
        property Item screen: null
        anchors.fill: parent
        NumberAnimation on opacity {
            id: fadeIn
            from: 0
            to: 1
            duration: 200
            easing.type: Easing.InOutQuad
        }
        NumberAnimation {
            id: fadeOut
            target: slot
            property: "opacity"
            to: 0
            duration: 200
            easing.type: Easing.InOutQuad
            onFinished: slot.destroy()
        }
        function dismiss() {
            fadeIn.stop()
            enabled = false
            fadeOut.start()
        }
    }
    Component { id: slotComponent; ScreenSlot {} }

    property ScreenSlot currentSlot: null

    function showTab(tab) {
        const component = screenComponent(tab)
        if (!component)
            return
        if (component.status === Component.Error) {
            console.warn(component.errorString())
            return
        }
        if (currentSlot)
            currentSlot.dismiss()
        const slot = slotComponent.createObject(screenHost)
        slot.screen = component.createObject(slot, { width: Qt.binding(() => slot.width),
                                                      height: Qt.binding(() => slot.height) })
        currentSlot = slot
        currentScreen = slot.screen
    }

    Rectangle {
        anchors.fill: parent
        color: AppPalette.background
    }

    // First in the item tree, so that Tab reaches it before the screen (reading order), and
    // drawn above the screen.
    AppToolbarView {
        z: 1
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        blurSource: screenHost
        showsWindowControls: root.showsWindowControls
        onMoveFailed: root.moveFailed()
    }

    Item {
        id: screenHost
        anchors.fill: parent
    }

    Connections {
        target: AppState
        function onCurrentTabChanged() { root.showTab(AppState.currentTab) }
    }
    Component.onCompleted: showTab(AppState.currentTab)

    // Ctrl+F searches: Explore's search field, switching to Explore first.
    function focusSearch() {
        AppState.currentTab = AppTab.Explore
        // Looked up by name: naming the screens' types here would load their files at start.
        root.callScreen("focusSearch")
    }
    function callScreen(name) {
        if (currentScreen && typeof currentScreen[name] === "function")
            currentScreen[name]()
    }
    function reload() {
        root.callScreen("reload")
    }

    Shortcut { sequence: "Ctrl+F"; onActivated: root.focusSearch() }
    Shortcut { sequences: ["Ctrl+1", "Alt+1"]; onActivated: AppState.currentTab = AppTab.Home }
    Shortcut { sequences: ["Ctrl+2", "Alt+2"]; onActivated: AppState.currentTab = AppTab.Explore }
    Shortcut { sequences: ["Ctrl+3", "Alt+3"]; onActivated: AppState.currentTab = AppTab.Library }
    Shortcut { sequence: "Ctrl+,"; onActivated: AppState.showSettings = true }
    Shortcut { sequence: "F5"; onActivated: root.reload() }
    Shortcut { sequence: "Ctrl+Q"; onActivated: Qt.quit() }

    // A fresh sheet, and so a fresh view model, each time Settings opens.
    SheetHost {
        id: settingsHost
        shown: AppState.showSettings
        sheetSource: Qt.resolvedUrl("settings/SettingsView.qml")
        onDismissed: AppState.showSettings = false
    }
    readonly property var settingsSheet: settingsHost.current
}
