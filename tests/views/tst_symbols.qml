// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Lumivane

TestCase {
    id: testCase
    name: "Symbols"
    when: windowShown

    Symbol { id: symbol; size: 24 }
    TextMetrics { id: metrics; font: symbol.font }

    // The build's cut-out of the icon font is the one drawn, not a substitute for a family
    // fontconfig does not know.
    function test_symbolsComeFromTheCompiledInFont() {
        symbol.name = "heart"
        compare(symbol.fontInfo.family, "Lumivane Symbols")
    }

    // Each entry is one character with a glyph of one square in that font.
    function test_everyTableEntryIsOneGlyph() {
        const table = symbol.table
        const names = Object.keys(table)
        verify(names.length >= 30)
        const broken = []
        for (const name of names) {
            metrics.text = table[name]
            if (table[name].length !== 1 || !(metrics.advanceWidth > 0 && metrics.advanceWidth <= 24.5))
                broken.push(name + " (" + metrics.advanceWidth + ")")
        }
        compare(broken, [])
    }

    function test_unknownNameDrawsNothing() {
        symbol.name = "no.such.symbol"
        compare(symbol.text, "")
        symbol.name = "heart.fill"
        compare(symbol.text, "\ue87d")
    }

    // Every name the screens ask for has an entry.
    function test_screensUseOnlyKnownNames() {
        const used = ["sparkle", "arrow.up.square", "gearshape", "heart", "heart.fill", "magnifyingglass",
                      "xmark.circle.fill", "xmark", "photo.on.rectangle.angled", "arrow.down.circle",
                      "heart.slash", "exclamationmark.triangle", "chevron.right", "chevron.down",
                      "desktopcomputer", "lock.desktopcomputer", "folder", "aspectratio", "doc",
                      "internaldrive", "eye", "paintbrush.fill", "lock.rectangle", "info.circle",
                      "arrow.up.right.square", "envelope", "trash", "checkmark.circle.fill",
                      "arrow.up.circle.fill", "minus", "arrow.up.left.and.arrow.down.right"]
        for (const name of used)
            verify(symbol.table[name] !== undefined, name)
    }
}
