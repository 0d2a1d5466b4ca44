// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Base of every error the program throws. description() is the text a user sees; view models
// catch AppError and show it.
class AppError : public std::exception
{
public:
    explicit AppError(QString description)
        : m_description(std::move(description))
        , m_what(m_description.toUtf8())
    {
    }

    QString description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_description;
    QByteArray m_what;
};

// A network transfer failed (no connection, timeout, aborted). The text is Qt's own.
class TransportError : public AppError
{
public:
    TransportError(QString description, int networkError)
        : AppError(std::move(description))
        , m_networkError(networkError)
    {
    }
    // The QNetworkReply::NetworkError value.
    int networkError() const { return m_networkError; }

private:
    int m_networkError;
};

// A file or folder operation failed; the text names the path and the system's reason.
class FileError : public AppError
{
public:
    using AppError::AppError;
};

// A body did not decode into the expected records ("Invalid date: …", "Missing key: …").
class DecodingError : public AppError
{
public:
    using AppError::AppError;
};
