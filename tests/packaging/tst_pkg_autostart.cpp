// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The autostart entry the login item writes must be a valid desktop entry for the paths the
// program is really installed at, or session managers skip it without a word.
#include "platform/XdgAutostartBackend.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestPackagedAutostart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entryValidates_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::newRow("installed package") << QStringLiteral("/usr/bin/lumivane");
        QTest::newRow("local install") << QStringLiteral("/usr/local/bin/lumivane");
        QTest::newRow("unpacked in a folder with spaces and a percent sign")
            << QStringLiteral("/home/sam/My Apps/100% lumivane/usr/bin/lumivane");
        QTest::newRow("quotes and shell characters")
            << QStringLiteral("/tmp/it's \"here\" $HOME `x`/lumivane");
    }

    void entryValidates()
    {
        QFETCH(QString, executable);
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (Debian package desktop-file-utils)");

        QTemporaryDir config;
        QVERIFY(config.isValid());
        XdgAutostartBackend backend(config.path(), executable);
        backend.enable();
        QVERIFY(QFile::exists(backend.entryPath()));

        QProcess validate;
        validate.start(validator, {backend.entryPath()});
        QVERIFY(validate.waitForFinished(30000));
        const QString output = QString::fromUtf8(validate.readAllStandardOutput() + validate.readAllStandardError());
        QVERIFY2(validate.exitCode() == 0 && output.trimmed().isEmpty(), qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(TestPackagedAutostart)
#include "tst_pkg_autostart.moc"
