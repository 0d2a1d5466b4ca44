// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Lumivane

// Screens built on their real view models (whose loads fail fast: nothing listens on the
// configured port).
// TestCase itself is never shown, so what the tests click and lay out lives in a visible stage.
Item {
    id: stage
    width: 1280
    height: 900

    TestCase {
        id: testCase
        name: "Screens"
        when: windowShown

        Component { id: uploadComponent; UploadView { width: 1280; height: 900 } }
        Component { id: exploreComponent; ExploreView { width: 1280; height: 800 } }
        Component { id: libraryComponent; LibraryView { width: 1280; height: 800 } }
        Component { id: homeComponent; HomeView { width: 1280; height: 800 } }
        Component { id: settingsComponent; SettingsView {} }

        function test_uploadFormAndButtonAbsentWithoutAFile() {
            const view = createTemporaryObject(uploadComponent, stage)
            waitForRendering(view)
            verify(findChild(view, "dropPlaceholder").visible)
            verify(!findChild(view, "dropPreview").visible)
            verify(!findChild(view, "uploadForm").visible)
            verify(!findChild(view, "uploadButton").visible)
            verify(!findChild(view, "validationError").visible)
            verify(findChild(view, "noUploads").visible)
            compare(findChild(view, "categoryLabel").text, "Select category")
        }

        function test_tagCommitRulesThroughTheField() {
            const view = createTemporaryObject(uploadComponent, stage)
            const vm = view.viewModel
            const tagInput = findChild(view, "tagInput")
            const field = findChild(view, "tagField")
            // The form is hidden without a file; the tag entry itself works the same.
            tagInput.parent.visible = true
            field.forceActiveFocus()

            field.text = "  Nature\t "
            keyClick(Qt.Key_Return)
            compare(vm.tags, ["nature"])
            compare(field.text, "")

            field.text = "Nature"
            keyClick(Qt.Key_Return)
            compare(vm.tags, ["nature"])
            compare(field.text, "")

            field.text = "   "
            keyClick(Qt.Key_Return)
            compare(vm.tags, ["nature"])

            field.text = "deep sea, blue"
            keyClick(Qt.Key_Return)
            compare(vm.tags, ["nature", "deep sea, blue"])
            tryVerify(() => findChild(view, "tagChip_deep sea, blue") !== null)

            vm.tags = ["a", "b", "a"]
            tagInput.removeRequested("a")
            compare(vm.tags, ["b"])
        }

        function test_exploreClearButtonFollowsTheSearchText() {
            const view = createTemporaryObject(exploreComponent, stage)
            waitForRendering(view)
            const clear = findChild(view, "clearSearchButton")
            verify(!clear.visible)
            const field = findChild(view, "searchField")
            field.forceActiveFocus()
            keyClick(Qt.Key_S)
            keyClick(Qt.Key_E)
            compare(view.viewModel.searchText, "se")
            verify(clear.visible)
            mouseClick(clear)
            compare(view.viewModel.searchText, "")
            compare(field.text, "")
            verify(!clear.visible)
        }

        function test_exploreShowsEmptyStateOnceLoadingEnds() {
            const view = createTemporaryObject(exploreComponent, stage)
            tryVerify(() => !view.viewModel.isLoading, 5000)
            verify(findChild(view, "exploreEmpty").visible)
            verify(!findChild(view, "allLoaded").visible)
            verify(findChild(view, "chipAll").isSelected)
        }

        function test_libraryTabs() {
            const view = createTemporaryObject(libraryComponent, stage)
            compare(view.libraryTab, "Favorites")
            tryVerify(() => !view.viewModel.isLoading, 5000)
            verify(findChild(view, "favoritesEmpty").visible)
            verify(!findChild(view, "favoritesSpinner").visible)
            mouseClick(findChild(view, "libraryTabDownloads"))
            compare(view.libraryTab, "Downloads")
            verify(findChild(view, "downloadsEmpty").visible)
            verify(!findChild(view, "favoritesEmpty").visible)
        }

        function test_homeFailureShowsErrorPanelWithRetry() {
            const view = createTemporaryObject(homeComponent, stage)
            verify(findChild(view, "loadingSkeleton"), "no skeleton while Home loads")
            tryVerify(() => !view.viewModel.isLoading, 5000)
            const panel = findChild(view, "errorPanel")
            verify(panel.visible)
            verify(panel.message !== "")
            verify(findChild(panel, "retryButton").visible)
            verify(!findChild(view, "loadingSkeleton"))
            verify(!findChild(view, "hero").visible)
        }

        function test_settingsPermissionAndIntervalPicker() {
            const sheet = createTemporaryObject(settingsComponent, stage)
            sheet.open()
            tryVerify(() => sheet.opened)
            const vm = sheet.viewModel
            // Linux has no permission to grant: neither the status nor the button shows.
            verify(!findChild(sheet.contentItem, "permissionRow").visible)
            verify(!findChild(sheet.contentItem, "grantPermissionButton").parent.visible)
            vm.autoChangeWallpaper = false
            verify(!findChild(sheet.contentItem, "intervalPicker").visible)
            vm.autoChangeWallpaper = true
            verify(findChild(sheet.contentItem, "intervalPicker").visible)
            compare(findChild(sheet.contentItem, "intervalBox").currentValue, vm.changeInterval)
        }
    }
}
