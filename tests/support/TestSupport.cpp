#include "TestSupport.h"

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
