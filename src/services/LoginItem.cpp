// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/LoginItem.h"

#include "platform/LoginItemBackend.h"

#include <QCoreApplication>
#include <QStandardPaths>

#ifdef Q_OS_MACOS
#include "platform/macos/LaunchAgentBackend.h"
#include "platform/QProcessRunner.h"
#include <QDir>
#else
#include "platform/XdgAutostartBackend.h"
#endif

LoginItem::LoginItem(LoginItemBackend &backend)
    : m_backend(backend)
{
}

LoginItem &LoginItem::shared()
{
#ifdef Q_OS_MACOS
    static QProcessRunner runner;
    static LaunchAgentBackend backend(QDir::homePath(), QCoreApplication::applicationFilePath(), runner);
#else
    static XdgAutostartBackend backend(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                                       QCoreApplication::applicationFilePath());
#endif
    static LoginItem instance(backend);
    return instance;
}

void LoginItem::setLaunchAtLogin(bool enabled)
{
    if (enabled)
        m_backend.enable();
    else
        m_backend.disable();
}

bool LoginItem::isEnabled() const
{
    return m_backend.isEnabled();
}
