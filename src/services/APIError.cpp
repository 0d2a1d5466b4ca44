// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/APIError.h"

#include <QCoreApplication>

APIError APIError::httpError(int statusCode)
{
    return APIError(Kind::httpError, QCoreApplication::translate("APIError", "Server error (%1)").arg(statusCode), statusCode);
}

APIError APIError::server(const QString &message)
{
    return APIError(Kind::server, message);
}

APIError APIError::decodingError()
{
    return APIError(Kind::decodingError, QCoreApplication::translate("APIError", "Failed to process response"));
}

APIError APIError::invalidResponse()
{
    return APIError(Kind::invalidResponse, QCoreApplication::translate("APIError", "Invalid server response"));
}
