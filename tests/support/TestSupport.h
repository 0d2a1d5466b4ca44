// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
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

// A real PNG picture of one colour (the wallpaper engine refuses bodies that are no picture).
QByteArray pngBytes(int width = 64, int height = 40, int shade = 90);

// A grey HEIC written with libheif's own encoder at `path`, or an empty string when this libheif
// has no encoder.
QString writeHeic(const QString &path, int width, int height);

} // namespace TestSupport

#include <QCoreApplication>
#include <QDeadlineTimer>

template<typename T> bool TestSupport::waitFor(QCoro::Task<T> &task, int timeoutMs)
{
    return waitUntil([&] { return task.isReady(); }, timeoutMs);
}

#include "models/AppError.h"

#include <exception>
#include <optional>

namespace TestSupport {

// Runs `task` to completion in a nested event loop and returns its value or rethrows its
// exception. (QCoro::waitFor never returns when the task throws.) Throws std::runtime_error
// when the task does not finish within `timeoutMs`.
template<typename T> T run(QCoro::Task<T> task, int timeoutMs = 15000)
{
    std::exception_ptr error;
    bool done = false;
    if constexpr (std::is_void_v<T>) {
        auto body = [&]() -> QCoro::Task<void> {
            try {
                co_await task;
            } catch (...) {
                error = std::current_exception();
            }
            done = true;
        };
        auto wrapper = body();
        if (!waitUntil([&] { return done; }, timeoutMs))
            throw std::runtime_error("task did not finish in time");
        if (error)
            std::rethrow_exception(error);
    } else {
        std::optional<T> result;
        auto body = [&]() -> QCoro::Task<void> {
            try {
                result.emplace(co_await task);
            } catch (...) {
                error = std::current_exception();
            }
            done = true;
        };
        auto wrapper = body();
        if (!waitUntil([&] { return done; }, timeoutMs))
            throw std::runtime_error("task did not finish in time");
        if (error)
            std::rethrow_exception(error);
        return std::move(*result);
    }
}

// Runs `task` and returns the description of the AppError it ends with, or "<no error>".
template<typename T> QString errorText(QCoro::Task<T> task)
{
    try {
        run(std::move(task));
    } catch (const AppError &error) {
        return error.description();
    }
    return QStringLiteral("<no error>");
}

} // namespace TestSupport
