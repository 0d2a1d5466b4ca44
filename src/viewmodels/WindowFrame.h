// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QStringList>

// The window's frame as the desktop and the user want it: which of our own window buttons go on
// which side ("minimize", "maximize", "close", in order), and whether the desktop draws the
// title bar instead (a stored preference; the window follows a change at once).
class WindowFrame : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QStringList leftButtons READ leftButtons CONSTANT)
    Q_PROPERTY(QStringList rightButtons READ rightButtons CONSTANT)
    Q_PROPERTY(bool systemDecorations READ systemDecorations WRITE setSystemDecorations NOTIFY systemDecorationsChanged)

public:
    explicit WindowFrame(QObject *parent = nullptr);

    QStringList leftButtons() const { return m_left; }
    QStringList rightButtons() const { return m_right; }
    bool systemDecorations() const { return m_systemDecorations; }
    // Stores the value too.
    void setSystemDecorations(bool on);
    // The window's flags, with or without the desktop's title bar. Worked out here: a Qt name read
    // by a binding as the window is made has the engine build its table of every name in Qt's
    // namespace (some 150 KB).
    Q_INVOKABLE Qt::WindowFlags windowFlags(bool decorated) const
    {
        return decorated ? Qt::Window : Qt::Window | Qt::FramelessWindowHint;
    }

Q_SIGNALS:
    void systemDecorationsChanged();

private:
    QStringList m_left;
    QStringList m_right;
    bool m_systemDecorations = false;
};
