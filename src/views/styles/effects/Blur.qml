// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Qt5Compat.GraphicalEffects

// The blur behind the toolbar and the Upload screen's backdrop; fills its parent, under its
// siblings.
FastBlur {
    anchors.fill: parent
    z: -1
}
