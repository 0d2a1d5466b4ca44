// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A row of choices: Tab reaches each of them, Left and Right step between them.
Row {
    id: root

    Accessible.role: Accessible.PageTabList

    function choices() {
        const found = []
        for (let i = 0; i < children.length; ++i) {
            const child = children[i]
            if (child.activeFocusOnTab && child.visible && child.enabled)
                found.push(child)
        }
        return found
    }
    function step(by) {
        const all = choices()
        const at = all.findIndex(c => c.activeFocus)
        if (at < 0)
            return false
        const next = at + by
        if (next < 0 || next >= all.length)
            return true
        all[next].forceActiveFocus(Qt.TabFocusReason)
        return true
    }
    Keys.onLeftPressed: event => event.accepted = step(-1)
    Keys.onRightPressed: event => event.accepted = step(1)
}
