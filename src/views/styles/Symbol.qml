// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// A named symbol drawn from the Material Icons font. Every name the screens use has an entry;
// an unknown name draws nothing rather than its letters.
Text {
    id: root

    property string name
    property real size: 13

    readonly property var table: ({
        "sparkle": "auto_awesome",
        "arrow.up.square": "upload",
        "gearshape": "settings",
        "heart": "favorite_border",
        "heart.fill": "favorite",
        "magnifyingglass": "search",
        "xmark.circle.fill": "cancel",
        "xmark": "close",
        "minus": "remove",
        "window.minimize": "minimize",
        "window.maximize": "crop_square",
        "window.restore": "filter_none",
        "arrow.up.left.and.arrow.down.right": "open_in_full",
        "photo.on.rectangle.angled": "photo_library",
        "arrow.down.circle": "download_for_offline",
        "heart.slash": "heart_broken",
        "exclamationmark.triangle": "warning_amber",
        "chevron.right": "chevron_right",
        "chevron.down": "expand_more",
        "desktopcomputer": "desktop_windows",
        "lock.desktopcomputer": "screen_lock_landscape",
        "folder": "folder",
        "aspectratio": "aspect_ratio",
        "doc": "description",
        "internaldrive": "storage",
        "eye": "visibility",
        "paintbrush.fill": "brush",
        "lock.rectangle": "lock",
        "info.circle": "info",
        "arrow.up.right.square": "open_in_new",
        "envelope": "mail",
        "trash": "delete",
        "checkmark.circle.fill": "check_circle",
        "arrow.up.circle.fill": "arrow_circle_up"
    })
    readonly property string ligature: table[name] !== undefined ? table[name] : ""

    text: ligature
    font.family: "Material Icons"
    font.pixelSize: size
    color: "white"
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
