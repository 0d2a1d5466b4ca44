#pragma once

#include <QCoroTask>
#include <QString>
#include <functional>

namespace TestSupport {

// Runs the event loop until `task` finishes or `timeoutMs` passes; false on timeout.
template<typename T> bool waitFor(QCoro::Task<T> &task, int timeoutMs = 10000);

// Spins the event loop until `condition` holds or the time runs out.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 10000);

// Source tree root, for test data.
QString sourceDir();

} // namespace TestSupport

#include <QCoreApplication>
#include <QDeadlineTimer>

template<typename T> bool TestSupport::waitFor(QCoro::Task<T> &task, int timeoutMs)
{
    return waitUntil([&] { return task.isReady(); }, timeoutMs);
}
