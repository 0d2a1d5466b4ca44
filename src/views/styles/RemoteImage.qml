// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Lumivane

// A remote image clipped to a rounded rectangle, decoded at its displayed size, with an
// optional activity indicator while it loads and an optional fade-in when it appears.
Item {
    id: root

    property url source
    property int fillMode: Image.PreserveAspectCrop
    property real radius: 0
    property bool showsActivity: true
    property bool fadesIn: false
    property int fadeDuration: 300
    // Whether the picture stays in Qt's cache once no longer shown (up to 2 MB of such pictures).
    property bool cached: true
    readonly property int status: image.status
    // Rounded corners need a shader; the software renderer keeps square ones.
    readonly property bool rounded: radius > 0 && Effects.roundedImage !== null
    Component.onCompleted: if (rounded) Effects.add(Effects.roundedImage, root, { image: image, radius: Qt.binding(() => root.radius) })

    Image {
        id: image
        anchors.fill: parent
        // Asked for once the size to read it at is set: a card gets its size after it is made,
        // and a request at size zero decodes the whole picture, then once more at the size
        // shown. (Read from sourceSize itself, which may be set after the box is known.)
        // A covering or fitting picture is read at the size shown by our own loader, which
        // takes the screen's pixel ratio into account itself; Qt's does not.
        readonly property string how: root.fillMode === Image.PreserveAspectCrop ? "crop"
                                    : root.fillMode === Image.PreserveAspectFit ? "fit" : ""
        readonly property real ratio: how === "" ? Screen.devicePixelRatio : 1
        // Set, not bound: the image announces its size again as it takes a new address, and a
        // binding would then read its own write.
        function ask() {
            const wanted = sourceSize.width <= 0 || sourceSize.height <= 0 || String(root.source) === "" ? ""
                         : how === "" ? String(root.source) : "image://remote/" + how + "/" + root.source
            if (String(source) !== wanted)
                source = wanted
        }
        onSourceSizeChanged: ask()
        onHowChanged: ask()
        Component.onCompleted: ask()
        fillMode: root.fillMode
        asynchronous: true
        cache: root.cached
        smooth: true
        sourceSize.width: Math.ceil(root.width * ratio)
        sourceSize.height: Math.ceil(root.height * ratio)
        opacity: root.fadesIn ? 0 : 1
        onStatusChanged: if (status === Image.Ready && root.fadesIn) fade.restart()
        // Drawn by the rounded effect instead, where there is one.
        visible: !root.rounded
        NumberAnimation {
            id: fade
            target: image
            property: "opacity"
            from: 0; to: 1
            duration: root.fadeDuration
            easing.type: Easing.InOutQuad
        }
    }

    // The indicator comes once a load has taken a moment: a picture from the cache or a near
    // service then appears without one flashing up before it, and a screen of thumbnails, which
    // starts with all of them loading, does not make a spinner for each.
    Timer {
        id: wait
        property bool over: false
        interval: 300
        running: root.showsActivity && image.status === Image.Loading
        onRunningChanged: if (running) over = false
        onTriggered: over = true
    }
    // Made off the path of the frame being drawn.
    Loader {
        objectName: "activity"
        anchors.centerIn: parent
        width: 24
        height: 24
        asynchronous: true
        active: wait.over && image.status === Image.Loading
        sourceComponent: Spinner {}
    }

    onSourceChanged: image.ask()

    function restartFade() {
        if (!fadesIn)
            return
        image.opacity = 0
        if (image.status === Image.Ready)
            fade.restart()
    }
}
