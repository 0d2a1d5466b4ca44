// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowScript.h"

#include "app/LumivaneApp.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QQuickWindow>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

QVariant WindowScript::evaluate(QQuickWindow *window, const QString &js)
{
    QQmlExpression expression(qmlContext(window), window, js);
    const QVariant value = expression.evaluate();
    if (expression.hasError())
        std::fprintf(stderr, "%s: %s\n", qPrintable(js), qPrintable(expression.error().toString()));
    return value;
}

namespace {
// Waits inside a real event loop, as the app runs, not by calling processEvents(): only there
// are deleteLater()-ed objects (delegates scrolled away, finished replies) really deleted, so
// memory and object counts measured in between are what a person's window has.
bool loopUntil(const std::function<bool()> &condition, int timeoutMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    QDeadlineTimer deadline(timeoutMs);
    bool met = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition()) {
            met = true;
            loop.quit();
        } else if (deadline.hasExpired()) {
            loop.quit();
        }
    });
    poll.start(2);
    loop.exec();
    return met;
}
} // namespace

bool WindowScript::waitFor(QQuickWindow *window, const QString &js, int timeoutMs)
{
    if (loopUntil([&] { return evaluate(window, js).toBool(); }, timeoutMs))
        return true;
    std::fprintf(stderr, "timed out waiting for %s\n", qPrintable(js));
    return false;
}

void WindowScript::spin(int ms)
{
    loopUntil([] { return false; }, ms);
}

QQuickWindow *WindowScript::startApp(std::unique_ptr<LumivaneApp> &app)
{
    app = std::make_unique<LumivaneApp>();
    if (!app->start())
        return nullptr;
    auto *window = qobject_cast<QQuickWindow *>(app->engine().rootObjects().value(0));
    if (!window)
        return nullptr;
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return nullptr;
    // The window builds its content after its first frame.
    return waitFor(window, QStringLiteral("content !== null && content.currentScreen !== null"), 10000) ? window : nullptr;
}
