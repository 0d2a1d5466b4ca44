// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A thin band along the frameless window's edges and corners that shows the resize cursor and
// hands a press to the window manager's own resize, which also keeps the minimum size.
Item {
    id: root
    // How far in from the edge a press resizes.
    property real thickness: 6
    // Corners take a longer stretch of both edges, so they are easy to hit.
    property real corner: 16

    // The edges are named by flags and made into Qt's at a press: a Qt name in a binding would
    // have the engine build its table of every name in Qt's namespace as the window is made.
    component Grip: MouseArea {
        property bool atTop
        property bool atBottom
        property bool atLeft
        property bool atRight
        acceptedButtons: Qt.LeftButton
        hoverEnabled: true
        onPressed: Window.window.startSystemResize((atTop ? Qt.TopEdge : 0) | (atBottom ? Qt.BottomEdge : 0)
                                                   | (atLeft ? Qt.LeftEdge : 0) | (atRight ? Qt.RightEdge : 0))
    }

    Grip {
        objectName: "resizeTop"
        atTop: true
        cursorShape: Qt.SizeVerCursor
        x: root.corner; width: root.width - 2 * root.corner; height: root.thickness
    }
    Grip {
        objectName: "resizeBottom"
        atBottom: true
        cursorShape: Qt.SizeVerCursor
        x: root.corner; y: root.height - height; width: root.width - 2 * root.corner; height: root.thickness
    }
    Grip {
        objectName: "resizeLeft"
        atLeft: true
        cursorShape: Qt.SizeHorCursor
        y: root.corner; width: root.thickness; height: root.height - 2 * root.corner
    }
    Grip {
        objectName: "resizeRight"
        atRight: true
        cursorShape: Qt.SizeHorCursor
        x: root.width - width; y: root.corner; width: root.thickness; height: root.height - 2 * root.corner
    }
    Grip {
        atTop: true; atLeft: true
        cursorShape: Qt.SizeFDiagCursor
        width: root.corner; height: root.corner
        containmentMask: CornerMask { size: root.corner; thickness: root.thickness }
    }
    Grip {
        atTop: true; atRight: true
        cursorShape: Qt.SizeBDiagCursor
        x: root.width - width; width: root.corner; height: root.corner
        containmentMask: CornerMask { size: root.corner; thickness: root.thickness; flipX: true }
    }
    Grip {
        atBottom: true; atLeft: true
        cursorShape: Qt.SizeBDiagCursor
        y: root.height - height; width: root.corner; height: root.corner
        containmentMask: CornerMask { size: root.corner; thickness: root.thickness; flipY: true }
    }
    Grip {
        atBottom: true; atRight: true
        cursorShape: Qt.SizeFDiagCursor
        x: root.width - width; y: root.height - height; width: root.corner; height: root.corner
        containmentMask: CornerMask { size: root.corner; thickness: root.thickness; flipX: true; flipY: true }
    }

    // An L along the two outer sides of a corner square, so the inside of the corner stays the
    // window's.
    component CornerMask: QtObject {
        property real size
        property real thickness
        property bool flipX: false
        property bool flipY: false
        function contains(point: point): bool {
            const x = flipX ? size - point.x : point.x
            const y = flipY ? size - point.y : point.y
            return x >= 0 && y >= 0 && x <= size && y <= size && (x <= thickness || y <= thickness)
        }
    }
}
