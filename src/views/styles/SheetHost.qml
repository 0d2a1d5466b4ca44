// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// Presents a sheet (a Popup) while `shown` is true, a fresh one (and so a fresh view model)
// each time. Hiding closes the sheet first and unloads it once it has closed: destroying an
// open Popup outright can leave its last frame on screen with the software renderer.
Loader {
    id: root

    property bool shown: false
    property Component sheet
    // Or the file of the sheet, read when it first opens rather than with the window.
    property url sheetSource
    // Given to each new sheet once, when it is made (not bound, so it cannot change under it).
    property var sheetProperties: ({})
    // The open sheet, set by the holder below while it owns one.
    property var current: null
    // The user closed the sheet; the owner should drop whatever made `shown` true.
    signal dismissed()

    active: false
    // Loading waits for the end of the current event so that `sheetProperties`, which usually
    // follows the same change as `shown`, is up to date.
    onShownChanged: {
        if (shown)
            loadLater.restart()
        else if (current && current.opened)
            current.close()
    }
    Component.onCompleted: if (shown) loadLater.restart()
    Timer { id: loadLater; interval: 0; onTriggered: root.load() }

    function load() {
        if (shown)
            active = true
    }

    function unload() {
        current = null
        active = false
        if (shown)
            active = true
    }

    // A Popup is not an Item, so the Loader holds an Item that owns it.
    sourceComponent: Item {
        property var popup: null
        Component.onCompleted: {
            const sheet = root.sheet ? root.sheet : Qt.createComponent(root.sheetSource)
            popup = sheet.createObject(this, root.sheetProperties)
            root.current = popup
            const host = root
            popup.closed.connect(() => {
                if (!host || host.unload === undefined)
                    return // the host itself is going away
                if (host.shown) // closed by the user, not by the owner
                    host.dismissed()
                Qt.callLater(host.unload)
            })
            popup.open()
        }
    }
}
