// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// The look of the upload form's fields: faint white fill, rounded 8, hairline outline. Fields
// using it pad their content 10 and draw white 13-point text.
Rectangle {
    radius: 8
    color: Qt.rgba(1, 1, 1, 0.08)
    border.color: Qt.rgba(1, 1, 1, 0.12)
    border.width: 1
}
