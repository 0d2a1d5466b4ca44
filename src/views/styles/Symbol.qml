// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A named symbol drawn from the symbol font, Material Icons' glyphs at their code points (the
// comment beside each is the icon's name there). Every name the screens use has an entry; an
// unknown name draws nothing. The build cuts the font out of Material Icons with exactly the
// glyphs this table names, so a symbol is added here and nowhere else.
Text {
    id: root

    property string name
    property real size: 13

    readonly property var table: ({
        "sparkle": "\ue65f", // auto_awesome
        "arrow.up.square": "\uf09b", // upload
        "gearshape": "\ue8b8", // settings
        "heart": "\ue87e", // favorite_border
        "heart.fill": "\ue87d", // favorite
        "magnifyingglass": "\ue8b6", // search
        "xmark.circle.fill": "\ue5c9", // cancel
        "xmark": "\ue5cd", // close
        "minus": "\ue15b", // remove
        "window.minimize": "\ue931", // minimize
        "window.maximize": "\ue3c6", // crop_square
        "window.restore": "\ue3e0", // filter_none
        "arrow.up.left.and.arrow.down.right": "\uf1ce", // open_in_full
        "photo.on.rectangle.angled": "\ue413", // photo_library
        "arrow.down.circle": "\uf000", // download_for_offline
        "heart.slash": "\ueac2", // heart_broken
        "exclamationmark.triangle": "\uf083", // warning_amber
        "chevron.right": "\ue5cc", // chevron_right
        "chevron.down": "\ue5cf", // expand_more
        "desktopcomputer": "\ue30c", // desktop_windows
        "lock.desktopcomputer": "\ue1be", // screen_lock_landscape
        "folder": "\ue2c7", // folder
        "aspectratio": "\ue85b", // aspect_ratio
        "doc": "\ue873", // description
        "internaldrive": "\ue1db", // storage
        "eye": "\ue8f4", // visibility
        "paintbrush.fill": "\ue3ae", // brush
        "lock.rectangle": "\ue897", // lock
        "info.circle": "\ue88e", // info
        "arrow.up.right.square": "\ue89e", // open_in_new
        "envelope": "\ue158", // mail
        "trash": "\ue872", // delete
        "checkmark.circle.fill": "\ue86c", // check_circle
        "arrow.up.circle.fill": "\uf182" // arrow_circle_up
    })
    text: table[name] !== undefined ? table[name] : ""
    font.family: "Lumivane Symbols"
    font.pixelSize: size
    color: "white"
    // A picture beside a label or inside a named button; its character means nothing read out.
    Accessible.ignored: true
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
