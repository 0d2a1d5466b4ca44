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
    TextMetrics { id: metrics; font.family: "Material Icons"; font.pixelSize: 24 }

    // A ligature the font knows is drawn as one square glyph; one it does not know is drawn
    // letter by letter and comes out many glyphs wide.
    function glyphWidth(text) {
        metrics.text = text
        return metrics.advanceWidth
    }

    function test_unknownLigatureIsDetected() {
        verify(glyphWidth("no_such_symbol_here") > 48)
    }

    function test_everyTableEntryResolvesToOneGlyph() {
        const table = symbol.table
        const names = Object.keys(table)
        verify(names.length >= 30)
        const broken = []
        for (const name of names) {
            const width = glyphWidth(table[name])
            if (!(width > 0 && width <= 24.5))
                broken.push(name + " → " + table[name] + " (" + width + ")")
        }
        compare(broken, [])
    }

    function test_unknownNameDrawsNothing() {
        symbol.name = "no.such.symbol"
        compare(symbol.text, "")
        symbol.name = "heart.fill"
        compare(symbol.text, "favorite")
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
