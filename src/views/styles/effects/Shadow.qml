// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Qt5Compat.GraphicalEffects

// The faint shadow under a symbol drawn over a picture, as a layer effect.
DropShadow {
    radius: 4
    samples: 9
    color: Qt.rgba(0, 0, 0, 0.33)
}
