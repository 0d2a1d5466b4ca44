// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/macos/AccessibilityTrust.h"
#include "platform/macos/AppleScriptRunner.h"
#include "platform/DesktopBackend.h"
#include "platform/DesktopError.h"
#include "platform/DesktopScreen.h"
#include "platform/Notifier.h"
#include "platform/UrlOpener.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

// A whole desktop for engine tests: screens, pictures per screen, a lock screen, notifications,
// accessibility trust, a script runner and a URL opener. Picture changes answer after a short
// delay on the event loop, never synchronously.
class FakeDesktop : public DesktopBackend, public Notifier, public AccessibilityTrust, public AppleScriptRunner, public UrlOpener
{
public:
    explicit FakeDesktop(int screenCount = 1);

    // Screens "screen0", "screen1", …; the first is primary unless primaryIndex says otherwise.
    QList<DesktopScreen> screens;
    std::function<QList<DesktopScreen>()> screensProvider() const;

    // DesktopBackend
    QString name() const override { return QStringLiteral("fake"); }
    QCoro::Task<void> setDesktopImage(QString filePath, DesktopScreen screen) override;
    QCoro::Task<void> setLockScreenImage(QString filePath) override;

    // Notifier
    void post(const QString &title, const QString &body) override { notifications.append({title, body}); }

    // AccessibilityTrust
    bool isTrusted() const override { return trusted; }
    void prompt() override { ++prompts; }

    // AppleScriptRunner
    std::optional<QString> run(const QString &source) override;

    // UrlOpener
    bool open(const QUrl &url) override
    {
        openedUrls.append(url);
        return true;
    }

    // What happened.
    QList<QPair<QString, QString>> desktopCalls; // (screen name, file)
    QStringList lockScreenCalls;
    QList<QPair<QString, QString>> notifications; // (title, body)
    QStringList scripts;
    QList<QUrl> openedUrls;
    int prompts = 0;

    // Picture currently shown per screen name.
    QString pictureOn(const QString &screenName) const;

    // Behaviour.
    bool trusted = true;
    QString failingScreen; // a screen whose change fails with `failure`
    std::function<void()> failure = [] { throw DesktopError(QStringLiteral("the fake screen refused")); };
    bool lockScreenFails = false;
    std::optional<QString> scriptError;
    int delayMs = 2;

private:
    QList<QPair<QString, QString>> m_shown;
};
