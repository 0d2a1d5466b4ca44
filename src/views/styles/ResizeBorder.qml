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

    component Grip: MouseArea {
        property int edges
        acceptedButtons: Qt.LeftButton
        hoverEnabled: true
        onPressed: Window.window.startSystemResize(edges)
    }

    Grip {
        objectName: "resizeTop"
        edges: Qt.TopEdge
        cursorShape: Qt.SizeVerCursor
        x: root.corner; width: root.width - 2 * root.corner; height: root.thickness
    }
    Grip {
        objectName: "resizeBottom"
        edges: Qt.BottomEdge
        cursorShape: Qt.SizeVerCursor
        x: root.corner; y: root.height - height; width: root.width - 2 * root.corner; height: root.thickness
    }
    Grip {
        objectName: "resizeLeft"
        edges: Qt.LeftEdge
        cursorShape: Qt.SizeHorCursor
        y: root.corner; width: root.thickness; height: root.height - 2 * root.corner
    }
    Grip {
        objectName: "resizeRight"
        edges: Qt.RightEdge
        cursorShape: Qt.SizeHorCursor
        x: root.width - width; y: root.corner; width: root.thickness; height: root.height - 2 * root.corner
    }
    Grip {
        edges: Qt.TopEdge | Qt.LeftEdge
        cursorShape: Qt.SizeFDiagCursor
        width: root.corner; height: root.corner
        containmentMask: CornerMask { size: root.corner; thickness: root.thickness }
    }
    Grip {
        edges: Qt.TopEdge | Qt.RightEdge
        cursorShape: Qt.SizeBDiagCursor
        x: root.width - width; width: root.corner; height: root.corner
        containmentMask: CornerMask { size: root.corner; thickness: root.thickness; flipX: true }
    }
    Grip {
        edges: Qt.BottomEdge | Qt.LeftEdge
        cursorShape: Qt.SizeBDiagCursor
        y: root.height - height; width: root.corner; height: root.corner
        containmentMask: CornerMask { size: root.corner; thickness: root.thickness; flipY: true }
    }
    Grip {
        edges: Qt.BottomEdge | Qt.RightEdge
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
