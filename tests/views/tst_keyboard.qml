// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Lumivane

// The window by keyboard alone: an open sheet keeps every key from what lies behind it, Escape
// closes only the topmost sheet or alert, focus comes back where it was, and the shortcuts and
// Tab order reach the controls.
Item {
    id: stage
    width: 1280
    height: 800

    TestCase {
        name: "Keyboard"
        when: windowShown

        Component {
            id: contentComponent
            MainContentView { width: 1280; height: 800 }
        }
        Component {
            id: presenterComponent
            DetailSheetPresenter {}
        }

        property var content: null

        function init() {
            AppState.currentTab = AppTab.Home
            AppState.showSettings = false
            content = createTemporaryObject(contentComponent, stage)
            waitForRendering(content)
        }
        function cleanup() {
            AppState.showSettings = false
            AppState.currentTab = AppTab.Home
        }

        function openSettings() {
            AppState.showSettings = true
            tryVerify(() => content.settingsSheet && content.settingsSheet.opened)
        }

        function test_anOpenSheetKeepsKeysFromWhatIsBehindIt() {
            const upload = findChild(content, "uploadButton")
            upload.forceActiveFocus(Qt.TabFocusReason)
            openSettings()
            verify(!upload.activeFocus)
            keyClick(Qt.Key_Space)
            keyClick(Qt.Key_Return)
            compare(AppState.currentTab, AppTab.Home, "a key went to the button behind the sheet")
            keySequence("Ctrl+2")
            compare(AppState.currentTab, AppTab.Home, "a shortcut acted behind the sheet")
            keyClick(Qt.Key_Escape)
            tryCompare(AppState, "showSettings", false)
            tryVerify(() => upload.activeFocus, 1000, "focus did not come back")

            // Typed text goes to Explore's search field only while no sheet is up.
            keySequence("Ctrl+F")
            compare(AppState.currentTab, AppTab.Explore)
            const search = findChild(content.currentScreen, "searchField")
            verify(search.activeFocus)
            keyClick(Qt.Key_A)
            openSettings()
            keyClick(Qt.Key_B)
            compare(search.text, "a")
        }

        function test_escapeClosesOnlyTheTopmost() {
            const presenter = createTemporaryObject(presenterComponent, stage)
            presenter.dismissed.connect(() => presenter.wallpaper = null)
            presenter.wallpaper = Fixtures.wallpaper("esc", [], false)
            tryVerify(() => presenter.current && presenter.current.opened)
            const sheet = presenter.current
            sheet.viewModel.showError = true
            const alert = findChild(sheet, "errorAlert")
            tryVerify(() => alert.opened)
            keyClick(Qt.Key_Escape)
            tryVerify(() => !alert.visible)
            verify(sheet.opened, "one Escape closed the sheet under the alert too")
            verify(!sheet.viewModel.showError)
            keyClick(Qt.Key_Escape)
            tryVerify(() => presenter.wallpaper === null)
        }

        function test_tabAndArrowsWalkTheToolbar() {
            const order = ["pillHome", "pillExplore", "pillLibrary", "uploadButton", "settingsButton"]
            const items = order.map(name => findChild(content, name))
            items[0].forceActiveFocus(Qt.TabFocusReason)
            verify(items[0].visualFocus)
            for (let i = 1; i < items.length; ++i) {
                keyClick(Qt.Key_Tab)
                verify(items[i].activeFocus, order[i])
            }
            items[0].forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Right)
            verify(items[1].activeFocus)
            keyClick(Qt.Key_Space)
            compare(AppState.currentTab, AppTab.Explore)
            keySequence("Alt+3")
            compare(AppState.currentTab, AppTab.Library)
            keySequence("Ctrl+,")
            verify(AppState.showSettings)
        }
    }
}
