// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MachineIdSource.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMessageAuthenticationCode>

namespace {
const QByteArray applicationKey = QByteArrayLiteral("app.lumivane");
}

QString MachineIdSource::applicationMachineUuid()
{
    for (const char *path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        const QString id = applicationMachineUuid(QString::fromLatin1(path));
        if (!id.isEmpty())
            return id;
    }
    return {};
}

QString MachineIdSource::applicationMachineUuid(const QString &machineIdPath)
{
    QFile file(machineIdPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray machineId = file.read(256).trimmed();
    if (machineId.isEmpty())
        return {};
    return deriveUuid(machineId);
}

QString MachineIdSource::deriveUuid(const QByteArray &machineId)
{
    QByteArray bytes = QMessageAuthenticationCode::hash(machineId, applicationKey, QCryptographicHash::Sha256).left(16);
    bytes[6] = char((uchar(bytes[6]) & 0x0F) | 0x40); // version 4
    bytes[8] = char((uchar(bytes[8]) & 0x3F) | 0x80); // RFC 4122 variant
    const QString hex = QString::fromLatin1(bytes.toHex()).toUpper();
    return hex.mid(0, 8) + u'-' + hex.mid(8, 4) + u'-' + hex.mid(12, 4) + u'-' + hex.mid(16, 4) + u'-' + hex.mid(20, 12);
}
