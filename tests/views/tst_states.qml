// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Lumivane

// TestCase itself is never shown, so what the tests click and lay out lives in a visible stage.
Item {
    id: stage
    width: 800
    height: 600

    TestCase {
        id: testCase
        name: "StateAreas"
        when: windowShown

        Component { id: errorComponent; GlassErrorView { message: "Server error (500)" } }
        Component { id: stateComponent; UploadStateArea { width: 500 } }
        Component { id: badgeComponent; StatusBadge {} }
        Component { id: pillComponent; PillButton { text: "Retry" } }
        Component { id: pictureComponent; RemoteImage { width: 40; height: 40; fillMode: Image.Stretch } }

        // A picture that is slow to come gets the indicator once it has taken a moment; one that
        // comes at once never makes one.
        function test_activityIndicatorWaitsForASlowPicture() {
            const slow = createTemporaryObject(pictureComponent, stage, { source: Fixtures.silentPicture("slow.jpg") })
            const activity = findChild(slow, "activity")
            tryCompare(slow, "status", Image.Loading)
            wait(150)
            verify(!activity.item)
            tryVerify(() => activity.item && activity.item.visible, 2000)

            const quick = createTemporaryObject(pictureComponent, stage, { source: Fixtures.quickPicture() })
            tryCompare(quick, "status", Image.Ready)
            wait(400)
            verify(!findChild(quick, "activity").item)
        }

        function test_errorPanelShowsRetryOnlyWhenRetryable() {
            const plain = createTemporaryObject(errorComponent, stage)
            verify(!findChild(plain, "retryButton").visible)

            const retrying = createTemporaryObject(errorComponent, stage, { retryable: true })
            const button = findChild(retrying, "retryButton")
            verify(button.visible)
            verify(button.filled)
            const spy = createTemporaryQmlObject("import QtTest; SignalSpy { signalName: 'retry' }", stage)
            spy.target = retrying
            waitForRendering(retrying)
            mouseClick(button)
            compare(spy.count, 1)
        }

        function test_uploadStateAreaByState() {
            const area = createTemporaryObject(stateComponent, stage)
            compare(area.uploadState, "idle")
            verify(!area.visible)
            compare(area.height, 0)

            area.uploadState = "uploading"
            area.progress = 0.457
            verify(findChild(area, "uploadingState").visible)
            compare(findChild(area, "uploadingText").text, "Uploading... 45%")

            area.uploadState = "processing"
            verify(!findChild(area, "uploadingState").visible)
            verify(findChild(area, "processingState").visible)

            area.uploadState = "success"
            verify(findChild(area, "successState").visible)

            area.uploadState = "failed"
            area.message = "Image must be at least 2560×1600"
            verify(findChild(area, "failedState").visible)
            compare(findChild(area, "failureMessage").text, "Image must be at least 2560×1600")
            const spy = createTemporaryQmlObject("import QtTest; SignalSpy { signalName: 'tryAgain' }", stage)
            spy.target = area
            waitForRendering(area)
            mouseClick(findChild(area, "tryAgainButton"))
            compare(spy.count, 1)
        }

        function test_statusBadges() {
            const expected = { pending: "Pending", approved: "Approved", rejected: "Rejected" }
            for (const status in expected) {
                const badge = createTemporaryObject(badgeComponent, stage, { status: status })
                compare(badge.text, expected[status])
            }
        }

        function test_pillButtonShrinksWhileHeld() {
            const button = createTemporaryObject(pillComponent, stage, { filled: false })
            waitForRendering(button)
            compare(button.foreground, Qt.color("white"))
            mousePress(button)
            tryCompare(button, "scale", 0.96, 1000)
            mouseRelease(button)
            tryCompare(button, "scale", 1.0, 1000)
        }
    }
}
