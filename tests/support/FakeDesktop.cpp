// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeDesktop.h"

#include <QCoroTimer>
#include <chrono>

FakeDesktop::FakeDesktop(int screenCount)
{
    for (int i = 0; i < screenCount; ++i)
        screens.append(DesktopScreen{i, QStringLiteral("screen%1").arg(i), i == 0});
}

std::function<QList<DesktopScreen>()> FakeDesktop::screensProvider() const
{
    return [this] { return screens; };
}

QCoro::Task<void> FakeDesktop::setDesktopImage(QString filePath, DesktopScreen screen)
{
    co_await QCoro::sleepFor(std::chrono::milliseconds(delayMs));
    desktopCalls.append({screen.name, filePath});
    if (screen.name == failingScreen)
        failure();
    for (auto &entry : m_shown) {
        if (entry.first == screen.name) {
            entry.second = filePath;
            co_return;
        }
    }
    m_shown.append({screen.name, filePath});
}

QCoro::Task<void> FakeDesktop::setLockScreenImage(QString filePath)
{
    co_await QCoro::sleepFor(std::chrono::milliseconds(delayMs));
    lockScreenCalls.append(filePath);
    if (lockScreenFails)
        throw DesktopError(QStringLiteral("the fake lock screen refused"));
}

std::optional<QString> FakeDesktop::run(const QString &source)
{
    scripts.append(source);
    return scriptError;
}

QString FakeDesktop::pictureOn(const QString &screenName) const
{
    for (const auto &entry : m_shown) {
        if (entry.first == screenName)
            return entry.second;
    }
    return {};
}
