// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "models/AppError.h"

// Errors of the catalogue client, with the texts the user sees.
class APIError : public AppError
{
public:
    enum class Kind { httpError, server, decodingError, invalidResponse };

    static APIError httpError(int statusCode);           // "Server error (<status>)"
    static APIError server(const QString &message);      // the service's message, unchanged
    static APIError decodingError();                     // "Failed to process response"
    static APIError invalidResponse();                   // "Invalid server response"

    Kind kind() const { return m_kind; }
    int statusCode() const { return m_statusCode; } // httpError only, else 0

private:
    APIError(Kind kind, QString description, int statusCode = 0)
        : AppError(std::move(description))
        , m_kind(kind)
        , m_statusCode(statusCode)
    {
    }
    Kind m_kind;
    int m_statusCode;
};
