// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Lumivane

// TestCase itself is never shown, so what the tests click and lay out lives in a visible stage.
Item {
    id: stage
    width: 1280
    height: 800

    TestCase {
        id: testCase
        name: "TabRouting"
        when: windowShown

        Component {
            id: contentComponent
            MainContentView { width: 1280; height: 800 }
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

        function pill(tab) { return findChild(content, "pill" + tab) }

        function test_startsOnHomeWithItsPillHighlighted() {
            compare(content.currentScreen.objectName, "homeView")
            verify(pill("Home").selected)
            verify(!pill("Explore").selected)
        }

        function test_eachTabChangeBuildsAFreshScreenAndViewModel() {
            AppState.currentTab = AppTab.Explore
            const firstExplore = content.currentScreen
            compare(firstExplore.objectName, "exploreView")
            const firstModel = firstExplore.viewModel
            firstModel.searchText = "mountains"

            AppState.currentTab = AppTab.Library
            compare(content.currentScreen.objectName, "libraryView")
            AppState.currentTab = AppTab.Explore
            verify(content.currentScreen !== firstExplore)
            verify(content.currentScreen.viewModel !== firstModel)
            compare(content.currentScreen.viewModel.searchText, "")
        }

        function test_settingTheSameTabKeepsTheScreen() {
            const home = content.currentScreen
            const model = home.viewModel
            AppState.currentTab = AppTab.Home
            verify(content.currentScreen === home)
            verify(content.currentScreen.viewModel === model)
        }

        function test_uploadHasNoPillAndPillsSwitchBack() {
            mouseClick(findChild(content, "uploadButton"))
            compare(AppState.currentTab, AppTab.Upload)
            compare(content.currentScreen.objectName, "uploadView")
            for (const tab of ["Home", "Explore", "Library"])
                verify(!pill(tab).selected, tab)
            const upload = content.currentScreen
            mouseClick(findChild(content, "uploadButton"))
            verify(content.currentScreen === upload)

            mouseClick(pill("Home"))
            compare(AppState.currentTab, AppTab.Home)
            verify(pill("Home").selected)
            compare(content.currentScreen.objectName, "homeView")
        }

        function test_oldScreenFadesOutAndGoes() {
            const home = content.currentScreen
            AppState.currentTab = AppTab.Library
            const library = content.currentScreen
            const slot = library.parent
            verify(slot.opacity < 1)
            tryCompare(slot, "opacity", 1, 1000)
            // The Home screen (and its view model) is destroyed once its fade is over.
            // A destroyed object reads back with no parent (undefined once it is gone).
            tryVerify(() => home.parent == null, 1000)
        }

        function test_gearOpensSettingsOverTheCurrentTab() {
            AppState.currentTab = AppTab.Library
            mouseClick(findChild(content, "settingsButton"))
            verify(AppState.showSettings)
            tryVerify(() => content.settingsSheet && content.settingsSheet.opened)
            content.settingsSheet.close()
            tryCompare(AppState, "showSettings", false)
            compare(AppState.currentTab, AppTab.Library)
        }
    }
}
