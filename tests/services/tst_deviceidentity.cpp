// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MachineIdSource.h"
#include "services/DeviceIdentity.h"

#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString key = QStringLiteral("lumivane_machine_id");
const QRegularExpression upperUuid(QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$"));
}

class TestDeviceIdentity : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedIdWinsAndSourceIsNotConsulted();
    void emptyStoredIdIsReplacedAndKept();
    void noPlatformIdGivesStableRandomId();
    void derivedIdIsStableWellFormedAndHidesMachineId();
};

void TestDeviceIdentity::storedIdWinsAndSourceIsNotConsulted()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
    settings.setValue(key, QStringLiteral("abc-stored"));
    int calls = 0;
    DeviceIdentity identity(settings, [&] { ++calls; return QStringLiteral("PLATFORM"); });
    QCOMPARE(identity.machineId(), QStringLiteral("abc-stored"));
    QCOMPARE(calls, 0);
}

void TestDeviceIdentity::emptyStoredIdIsReplacedAndKept()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
    settings.setValue(key, QString());
    DeviceIdentity identity(settings, [] { return QStringLiteral("11111111-2222-4333-8444-555555555555"); });
    QCOMPARE(identity.machineId(), QStringLiteral("11111111-2222-4333-8444-555555555555"));
    QCOMPARE(settings.value(key).toString(), QStringLiteral("11111111-2222-4333-8444-555555555555"));
}

void TestDeviceIdentity::noPlatformIdGivesStableRandomId()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath("s.ini"), QSettings::IniFormat);
    DeviceIdentity identity(settings, [] { return QString(); });
    const QString first = identity.machineId();
    QVERIFY2(QRegularExpression(QStringLiteral("^[0-9A-F-]{36}$")).match(first).hasMatch(), qPrintable(first));
    QCOMPARE(identity.machineId(), first);
}

void TestDeviceIdentity::derivedIdIsStableWellFormedAndHidesMachineId()
{
    const QByteArray raw = "0123456789abcdef0123456789abcdef";
    const QString derived = MachineIdSource::deriveUuid(raw);
    QVERIFY2(upperUuid.match(derived).hasMatch(), qPrintable(derived));
    QCOMPARE(MachineIdSource::deriveUuid(raw), derived);
    QVERIFY(MachineIdSource::deriveUuid("fedcba9876543210fedcba9876543210") != derived);
    QVERIFY(!derived.contains(QString::fromLatin1(raw.left(8)), Qt::CaseInsensitive));

    // The HMAC keyed by the app id, first 16 bytes, version/variant bits forced.
    QByteArray mac = QMessageAuthenticationCode::hash(raw, "app.lumivane", QCryptographicHash::Sha256).left(16);
    mac[6] = char((mac[6] & 0x0F) | 0x40);
    mac[8] = char((mac[8] & 0x3F) | 0x80);
    QCOMPARE(QString(derived).remove(u'-'), QString::fromLatin1(mac.toHex().toUpper()));

    QTemporaryDir dir;
    const QString path = dir.filePath("machine-id");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(raw + "\n");
    file.close();
    QCOMPARE(MachineIdSource::applicationMachineUuid(path), derived);

    QFile empty(dir.filePath("empty"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(MachineIdSource::applicationMachineUuid(empty.fileName()).isEmpty());
    QVERIFY(MachineIdSource::applicationMachineUuid(dir.filePath("missing")).isEmpty());
}

QTEST_GUILESS_MAIN(TestDeviceIdentity)
#include "tst_deviceidentity.moc"
