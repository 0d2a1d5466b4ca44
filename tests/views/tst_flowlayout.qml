// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Lumivane

// TestCase itself is never shown, so what the tests click and lay out lives in a visible stage.
Item {
    id: stage
    width: 400
    height: 400

    TestCase {
        id: testCase
        name: "FlowLayout"
        when: windowShown

        Component {
            id: flowComponent
            FlowLayout {
                property alias model: repeater.model
                spacing: 6
                Repeater {
                    id: repeater
                    Rectangle { required property var modelData; width: modelData[0]; height: modelData[1] }
                }
            }
        }

        function positions(flow) {
            const result = []
            for (let i = 0; i < flow.children.length; ++i) {
                const child = flow.children[i]
                if (child.width > 0)
                    result.push([child.x, child.y])
            }
            return result
        }

        function test_wrapsWithSpacingBetweenItemsAndRows() {
            const flow = createTemporaryObject(flowComponent, stage,
                                               { width: 100, model: [[40, 20], [40, 30], [40, 10], [30, 10]] })
            tryVerify(() => flow.implicitWidth > 0)
            // 40 + 6 + 40 = 86 fits in 100; the third would end at 132, so it starts row two at
            // y = 30 (the taller item) + 6; rows are top-aligned.
            compare(positions(flow), [[0, 0], [46, 0], [0, 36], [46, 36]])
            compare(flow.implicitWidth, 86)
            compare(flow.implicitHeight, 46)
        }

        function test_exactFitStaysOnRow() {
            const flow = createTemporaryObject(flowComponent, stage, { width: 86, model: [[40, 20], [40, 20]] })
            tryVerify(() => flow.implicitWidth > 0)
            compare(positions(flow), [[0, 0], [46, 0]])
        }

        function test_overflowingChildKeepsItsOwnRow() {
            const flow = createTemporaryObject(flowComponent, stage,
                                               { width: 100, model: [[30, 10], [250, 12], [30, 10]] })
            tryVerify(() => flow.implicitWidth > 0)
            // The wide child starts a row and stays there instead of wrapping forever.
            compare(positions(flow), [[0, 0], [0, 16], [0, 34]])
            compare(flow.implicitWidth, 250)
            compare(flow.implicitHeight, 44)
        }

        function test_noWidthMeansOneRow_andEmptyIsZero() {
            const open = createTemporaryObject(flowComponent, stage, { model: [[300, 10], [300, 20]] })
            tryVerify(() => open.implicitWidth > 0)
            compare(positions(open), [[0, 0], [306, 0]])
            compare(open.implicitWidth, 606)

            const empty = createTemporaryObject(flowComponent, stage, { width: 100, model: [] })
            compare(empty.implicitWidth, 0)
            compare(empty.implicitHeight, 0)
        }

        function test_relayoutOnWidthAndModelChange() {
            const flow = createTemporaryObject(flowComponent, stage, { width: 200, model: [[60, 10], [60, 10], [60, 10]] })
            tryVerify(() => flow.implicitWidth > 0)
            compare(positions(flow)[2], [132, 0])
            flow.width = 130
            tryCompare(flow, "implicitHeight", 26)
            compare(positions(flow)[2], [0, 16])
            flow.model = [[60, 10]]
            tryCompare(flow, "implicitHeight", 10)
            compare(flow.implicitWidth, 60)
        }
    }
}
