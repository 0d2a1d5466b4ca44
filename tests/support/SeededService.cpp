// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeededService.h"
#include "TestSupport.h"

#include <QFile>
#include <QRegularExpression>

QString SeededService::binary()
{
    return qEnvironmentVariable("LUMIVANE_TEST_BINARY_DIR") + QStringLiteral("/service/lumivane-service");
}

bool SeededService::isBuilt()
{
    return QFile::exists(binary());
}

SeededService::~SeededService()
{
    stop();
}

void SeededService::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
}

bool SeededService::start(const QString &dataFolder)
{
    if (QProcess::execute(binary(), {QStringLiteral("seed"), QStringLiteral("--data"), dataFolder, QStringLiteral("--small")}) != 0) {
        m_error = QStringLiteral("seeding failed");
        return false;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(binary(), {QStringLiteral("serve"), QStringLiteral("--data"), dataFolder, QStringLiteral("--port"), QStringLiteral("0")});
    if (!m_process.waitForStarted()) {
        m_error = m_process.errorString();
        return false;
    }
    // Port 0: the service picks a free one and says which.
    const QRegularExpression listening(QStringLiteral("listening on [^:]+:(\\d+)"));
    QString output;
    const bool up = TestSupport::waitUntil(
        [&] {
            output += QString::fromUtf8(m_process.readAllStandardOutput());
            return listening.match(output).hasMatch();
        },
        15000);
    if (!up) {
        m_error = QStringLiteral("the service did not say where it listens: ") + output;
        return false;
    }
    m_base = QStringLiteral("http://127.0.0.1:%1").arg(listening.match(output).captured(1));
    return true;
}

void SeededService::exportToApp() const
{
    qputenv("LUMIVANE_API_BASE_URL", (m_base + QStringLiteral("/api")).toUtf8());
    qputenv("LUMIVANE_IMAGE_BASE_URL", (m_base + QStringLiteral("/images/")).toUtf8());
}
