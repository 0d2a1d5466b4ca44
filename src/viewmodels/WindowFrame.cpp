// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/WindowFrame.h"

#include "config/PreferenceKeys.h"
#include "config/SettingsStore.h"
#include "platform/WindowButtonLayout.h"

#include <QSettings>
#include <QStandardPaths>

WindowFrame::WindowFrame(QObject *parent)
    : QObject(parent)
{
    const WindowButtonLayout layout = WindowButtonLayout::forDesktop(
        qEnvironmentVariable("XDG_CURRENT_DESKTOP"), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    m_left = layout.left;
    m_right = layout.right;
    m_systemDecorations = SettingsStore::shared().value(PreferenceKeys::systemDecorations, false).toBool();
}

void WindowFrame::setSystemDecorations(bool on)
{
    if (on == m_systemDecorations)
        return;
    m_systemDecorations = on;
    SettingsStore::shared().setValue(PreferenceKeys::systemDecorations, on);
    Q_EMIT systemDecorationsChanged();
}
