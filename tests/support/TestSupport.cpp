// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QThread>

bool TestSupport::waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

QString TestSupport::sourceDir()
{
    return qEnvironmentVariable("LUMIVANE_TEST_SOURCE_DIR");
}

QByteArray TestSupport::pngBytes(int width, int height, int shade)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(shade, 120, 200));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return buffer.data();
}
