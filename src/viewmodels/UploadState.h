// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where an upload stands. Two failed states are equal when their messages are.
class UploadState
{
public:
    enum class Kind { idle, uploading, processing, success, failed };

    UploadState() = default;
    static UploadState idle() { return UploadState(Kind::idle); }
    static UploadState uploading() { return UploadState(Kind::uploading); }
    static UploadState processing() { return UploadState(Kind::processing); }
    static UploadState success() { return UploadState(Kind::success); }
    static UploadState failed(QString message) { return UploadState(Kind::failed, std::move(message)); }

    Kind kind() const { return m_kind; }
    // The text a failed state shows; empty for the others.
    const QString &message() const { return m_message; }
    bool isBusy() const { return m_kind == Kind::uploading || m_kind == Kind::processing; }

    // "idle", "uploading", "processing", "success" or "failed".
    QString name() const
    {
        switch (m_kind) {
        case Kind::idle: return QStringLiteral("idle");
        case Kind::uploading: return QStringLiteral("uploading");
        case Kind::processing: return QStringLiteral("processing");
        case Kind::success: return QStringLiteral("success");
        case Kind::failed: return QStringLiteral("failed");
        }
        return {};
    }

    friend bool operator==(const UploadState &a, const UploadState &b)
    {
        return a.m_kind == b.m_kind && a.m_message == b.m_message;
    }
    friend bool operator!=(const UploadState &a, const UploadState &b) { return !(a == b); }

private:
    explicit UploadState(Kind kind, QString message = {})
        : m_kind(kind)
        , m_message(std::move(message))
    {
    }
    Kind m_kind = Kind::idle;
    QString m_message;
};
