// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class LumivaneApp;
class QQuickWindow;

// Drives a live QML window by evaluating JavaScript in its root context, the way the screenshot
// driver and the UI benchmark walk the real app through its screens.
namespace WindowScript {

// The value of `js`; an evaluation error is printed to standard error and gives an invalid value.
QVariant evaluate(QQuickWindow *window, const QString &js);

// Polls `js` until it is true; on timeout prints what it waited for and returns false.
bool waitFor(QQuickWindow *window, const QString &js, int timeoutMs = 15000);

// Starts the real app in this process into `app` and shows its window; null if it did not start or
// its window was never exposed.
QQuickWindow *startApp(std::unique_ptr<LumivaneApp> &app);

// Runs the event loop for `ms` milliseconds (animations, network, image decoding).
void spin(int ms);

} // namespace WindowScript
