// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QVariantMap>
#include <optional>

// Receives the Response signal of one xdg-desktop-portal request and keeps its code, so an
// answer that arrives before anyone waits is not lost.
class PortalResponseWatcher : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    std::optional<uint> code() const { return m_code; }

Q_SIGNALS:
    void answered(uint code);

public Q_SLOTS:
    void onResponse(uint code, const QVariantMap &results);

private:
    std::optional<uint> m_code;
};
