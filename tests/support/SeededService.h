// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>

// The real lumivane-service of this build, seeded with the small catalogue in `dataFolder` and
// serving it on a free loopback port until destroyed.
class SeededService
{
public:
    SeededService() = default;
    SeededService(const SeededService &) = delete;
    SeededService &operator=(const SeededService &) = delete;
    ~SeededService();

    // Whether this build has the service at all (tests skip without it).
    static bool isBuilt();
    // Seeds and starts it; on failure returns false with the reason in error().
    bool start(const QString &dataFolder);
    // http://127.0.0.1:PORT, without a trailing slash.
    QString base() const { return m_base; }
    QString error() const { return m_error; }
    // Ends it (also done on destruction).
    void stop();
    // Points the app of this process at it (LUMIVANE_API_BASE_URL, LUMIVANE_IMAGE_BASE_URL).
    void exportToApp() const;

private:
    static QString binary();
    QProcess m_process;
    QString m_base;
    QString m_error;
};
