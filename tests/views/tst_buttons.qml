// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Lumivane

// Our buttons behave as desktop buttons: a press dragged off is no click, nor is one a list
// takes to scroll; Space clicks on its release; only the keyboard's arrival shows the ring.
Item {
    id: stage
    width: 600
    height: 400

    Component {
        id: pillComponent
        PillButton { x: 100; y: 100; text: "Set" }
    }
    Component {
        id: rowComponent
        ListView {
            width: 600
            height: 150
            orientation: ListView.Horizontal
            spacing: 10
            model: 10
            delegate: ButtonBase { width: 200; height: 150 }
        }
    }

    TestCase {
        name: "Buttons"
        when: windowShown

        SignalSpy { id: clicks; signalName: "clicked" }
        SignalSpy { id: cancels; signalName: "canceled" }

        function init() {
            clicks.clear()
            cancels.clear()
        }

        function test_pressDraggedOffIsNoClick() {
            const button = createTemporaryObject(pillComponent, stage)
            clicks.target = button
            mousePress(button, button.width / 2, button.height / 2)
            verify(button.down)
            mouseMove(button, button.width + 40, button.height / 2)
            verify(!button.down)
            mouseRelease(button, button.width + 40, button.height / 2)
            compare(clicks.count, 0)
            mouseClick(button)
            compare(clicks.count, 1)
        }

        function test_aListThatScrollsTakesThePress() {
            const row = createTemporaryObject(rowComponent, stage)
            waitForRendering(row)
            const card = row.itemAtIndex(0)
            clicks.target = card
            cancels.target = card
            mouseDrag(row, 100, 75, -200, 0)
            tryVerify(() => row.contentX > 0)
            verify(!card.down)
            compare(clicks.count, 0)
            compare(cancels.count, 1)
        }

        function test_spaceClicksOnReleaseAndTheRingIsTheKeyboards() {
            const first = createTemporaryObject(pillComponent, stage)
            const second = createTemporaryObject(pillComponent, stage, { x: 300 })
            clicks.target = second
            mouseClick(first)
            verify(first.activeFocus)
            verify(!first.visualFocus)

            keyClick(Qt.Key_Tab)
            verify(second.activeFocus)
            verify(second.visualFocus)
            keyPress(Qt.Key_Space)
            verify(second.down)
            compare(clicks.count, 0)
            keyRelease(Qt.Key_Space)
            verify(!second.down)
            compare(clicks.count, 1)
            keyClick(Qt.Key_Return)
            compare(clicks.count, 2)

            second.enabled = false
            mouseClick(second)
            keyClick(Qt.Key_Space)
            compare(clicks.count, 2)
        }
    }
}
