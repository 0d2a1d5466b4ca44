// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QString>

// Lets the window describe what it shows to an outside observer (end-to-end tests, the
// screenshot driver). Inert unless LUMIVANE_UI_STATE_FILE names a file.
class UiProbe : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString stateFile READ stateFile CONSTANT)

public:
    explicit UiProbe(QObject *parent = nullptr);

    QString stateFile() const { return m_stateFile; }

    // Writes `json` to the state file (through a temporary name, so a reader never sees half).
    Q_INVOKABLE bool writeState(const QString &json) const;

private:
    QString m_stateFile;
};
