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
        name: "DetailSheet"
        when: windowShown

        Component {
            id: presenterComponent
            DetailSheetPresenter {}
        }

        function open(wallpaper) {
            const presenter = createTemporaryObject(presenterComponent, stage)
            presenter.dismissed.connect(() => presenter.wallpaper = null)
            presenter.wallpaper = wallpaper
            tryVerify(() => presenter.current && presenter.current.opened)
            return presenter
        }

        function visibleChildren(item) {
            const shown = []
            for (let i = 0; i < item.children.length; ++i)
                if (item.children[i].visible && item.children[i].width > 0)
                    shown.push(item.children[i])
            return shown
        }

        function test_sheetShowsThePickedWallpaperAndItsFacts() {
            const presenter = open(Fixtures.wallpaper("w1", ["sand", "dusk"], true))
            const sheet = presenter.current
            compare(sheet.width, 800)
            compare(sheet.height, 560)
            compare(sheet.wallpaper.id, "w1")
            compare(sheet.viewModel.wallpaper.id, "w1")
            verify(findChild(sheet.contentItem, "categoryChip").visible)
            compare(visibleChildren(findChild(sheet.contentItem, "infoChips")).length, 4)
            verify(findChild(sheet.contentItem, "tagsBlock").visible)
        }

        function test_noCategoryNoTagsAndHeicFormat() {
            const sheet = open(Fixtures.wallpaper("w2", [], false, "heic")).current
            verify(!findChild(sheet.contentItem, "categoryChip").visible)
            compare(visibleChildren(findChild(sheet.contentItem, "infoChips")).length, 3)
            verify(!findChild(sheet.contentItem, "tagsBlock").visible)
            compare(findChild(sheet.contentItem, "formatChip").text, "HEIC")
        }

        function test_manyTagsWrapWithinTheContentWidth() {
            const tags = ["nature", "a", "mountains-at-dawn", "sea", "long-exposure-photography", "blue",
                          "b", "calm", "forest", "winter-landscape", "c", "minimal"]
            const sheet = open(Fixtures.wallpaper("w3", tags, true)).current
            const flow = findChild(sheet.contentItem, "tagsFlow")
            tryVerify(() => flow.implicitHeight > 0)
            compare(flow.width, 752)
            const chips = visibleChildren(flow)
            compare(chips.length, 12)
            let rows = new Set()
            for (const chip of chips) {
                verify(chip.x + chip.width <= flow.width, "chip inside the row")
                rows.add(chip.y)
            }
            verify(rows.size > 1, "wrapped over several rows")
            // Neighbours on one row are 6 apart.
            for (let i = 1; i < chips.length; ++i)
                if (chips[i].y === chips[i - 1].y)
                    compare(chips[i].x, chips[i - 1].x + chips[i - 1].width + 6)
        }

        // The sheet's body scrolls; a person scrolls to a button before pressing it.
        function scrolledTo(item) {
            let flick = item.parent
            while (flick && flick.contentY === undefined)
                flick = flick.parent
            tryVerify(() => flick.contentHeight > 0 && item.width > 0)
            waitForItemPolished(flick.contentItem.children[0])
            const at = item.mapToItem(flick.contentItem, 0, 0)
            flick.contentY = Math.max(0, Math.min(at.y + item.height + 12 - flick.height, flick.contentHeight - flick.height))
            wait(0)
            return item
        }

        function test_heartFollowsTheFavouriteAtOnce() {
            const sheet = open(Fixtures.wallpaper("w4", [], true)).current
            const heart = scrolledTo(findChild(sheet.contentItem, "favoriteButton"))
            const before = sheet.viewModel.isFavorited
            mouseClick(heart)
            compare(sheet.viewModel.isFavorited, !before)
            compare(heart.symbol, before ? "heart" : "heart.fill")
            mouseClick(heart)
            compare(heart.symbol, before ? "heart.fill" : "heart")
        }

        function test_closingUnloadsAndReopeningMakesAFreshSheet() {
            const wallpaper = Fixtures.wallpaper("w5", [], true)
            const presenter = open(wallpaper)
            const first = presenter.current
            first.close()
            tryCompare(presenter, "wallpaper", null)
            tryVerify(() => presenter.current === null)
            presenter.wallpaper = wallpaper
            tryVerify(() => presenter.current && presenter.current.opened)
            verify(presenter.current !== first)
            // Dropping the pick from outside closes the sheet too.
            presenter.wallpaper = null
            tryVerify(() => presenter.current === null)
        }
    }
}
