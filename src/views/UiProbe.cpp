// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/UiProbe.h"

#include <QSaveFile>

UiProbe::UiProbe(QObject *parent)
    : QObject(parent)
    , m_stateFile(qEnvironmentVariable("LUMIVANE_UI_STATE_FILE"))
{
}

bool UiProbe::writeState(const QString &json) const
{
    if (m_stateFile.isEmpty())
        return false;
    QSaveFile file(m_stateFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(json.toUtf8());
    return file.commit();
}
