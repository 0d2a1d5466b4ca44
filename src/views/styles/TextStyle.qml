// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// Named text styles as pixel sizes (one point of the design is one logical pixel).
QtObject {
    readonly property int title2: 17
    readonly property int title3: 15
    readonly property int headline: 13   // drawn bold
    readonly property int body: 13
    readonly property int callout: 12
    readonly property int subheadline: 11
    readonly property int caption: 10
    readonly property int caption2: 10
}
