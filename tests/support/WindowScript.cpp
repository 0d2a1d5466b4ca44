// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowScript.h"
#include "TestSupport.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QQuickWindow>

#include <cstdio>

QVariant WindowScript::evaluate(QQuickWindow *window, const QString &js)
{
    QQmlExpression expression(qmlContext(window), window, js);
    const QVariant value = expression.evaluate();
    if (expression.hasError())
        std::fprintf(stderr, "%s: %s\n", qPrintable(js), qPrintable(expression.error().toString()));
    return value;
}

bool WindowScript::waitFor(QQuickWindow *window, const QString &js, int timeoutMs)
{
    if (TestSupport::waitUntil([&] { return evaluate(window, js).toBool(); }, timeoutMs))
        return true;
    std::fprintf(stderr, "timed out waiting for %s\n", qPrintable(js));
    return false;
}

void WindowScript::spin(int ms)
{
    TestSupport::waitUntil([] { return false; }, ms);
}
