// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/ImageAddress.h"
#include "config/BuildInfo.h"

#include <QHostAddress>
#include <QMutex>

namespace {
QMutex baseMutex;
std::optional<QString> overriddenBase;

bool isLoopbackHost(const QString &host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    QHostAddress address;
    return address.setAddress(host) && address.isLoopback();
}

// Plain http is accepted only for loopback hosts; anything else must be https.
bool acceptable(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    if (url.scheme() == QLatin1String("https"))
        return true;
    return url.scheme() == QLatin1String("http") && isLoopbackHost(url.host());
}
} // namespace

namespace ImageAddress {

QString baseURL()
{
    QMutexLocker lock(&baseMutex);
    if (overriddenBase)
        return *overriddenBase;
    const QString fromEnvironment = qEnvironmentVariable("LUMIVANE_IMAGE_BASE_URL");
    if (!fromEnvironment.isEmpty() && acceptable(fromEnvironment))
        return fromEnvironment;
    return QString::fromUtf8(BuildInfo::imageBaseUrl);
}

void setBaseURL(const QString &base)
{
    QMutexLocker lock(&baseMutex);
    overriddenBase = base;
}

QUrl imageURL(const std::optional<QString> &key)
{
    if (!key)
        return {};
    const QUrl url(baseURL() + *key, QUrl::StrictMode);
    if (!url.isValid())
        return {};
    return url;
}

bool isAcceptableBaseUrl(const QString &text)
{
    return acceptable(text);
}

} // namespace ImageAddress
