// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Lumivane

// The hearts of a card and of the hero redraw as soon as they are pressed. These components run
// as compiled by the build, where a dependency hidden in an expression is not seen.
Item {
    id: stage
    width: 1280
    height: 800

    TestCase {
        name: "Hearts"
        when: windowShown

        Component { id: cardComponent; WallpaperCardView { width: 320; height: 200 } }
        Component { id: heroComponent; HeroSectionView { width: 1200; height: 560 } }

        // Rows and columns place their children when the window next polishes, which it does
        // before it delivers a press: a click aimed before that lands where the item was.
        function placed(item) {
            for (let it = item; it; it = it.parent)
                if (isPolishScheduled(it))
                    return false
            return true
        }

        function test_cardHeart() {
            const card = createTemporaryObject(cardComponent, stage, { wallpaper: Fixtures.wallpaper("heart-card", [], false) })
            mouseMove(card, card.width / 2, card.height / 2)
            const heart = findChild(card, "cardHeart")
            const glyph = findChild(card, "cardHeartGlyph")
            tryVerify(() => heart.visible && heart.opacity === 1 && placed(heart))
            const before = card.favorite
            mouseClick(heart)
            compare(card.favorite, !before)
            compare(glyph.name, before ? "heart" : "heart.fill")
            mouseClick(heart)
            compare(glyph.name, before ? "heart.fill" : "heart")
        }

        function test_heroHeart() {
            const hero = createTemporaryObject(heroComponent, stage, {
                wallpapers: [Fixtures.wallpaper("heart-hero", [], false)], interval: 600000 })
            const heart = findChild(hero, "heroHeart")
            const glyph = findChild(hero, "heroHeartGlyph")
            tryVerify(() => heart.visible && heart.width > 0 && placed(heart))
            const before = hero.favorite
            mouseClick(heart)
            compare(hero.favorite, !before)
            compare(glyph.name, before ? "heart" : "heart.fill")
            mouseClick(heart)
            compare(glyph.name, before ? "heart.fill" : "heart")
        }
    }
}
