// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/ImageAddress.h"
#include "config/BuildInfo.h"

#include <QHostAddress>
#include <QMutex>
#include <algorithm>

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

bool staysInItsFolder(const QString &text)
{
    // Split by hand: a regular expression here loads PCRE for every picture address.
    const QString decoded = QUrl::fromPercentEncoding(text.toUtf8());
    qsizetype start = 0;
    for (qsizetype at = 0; at <= decoded.size(); ++at) {
        if (at < decoded.size() && decoded[at] != u'/' && decoded[at] != u'\\')
            continue;
        const QStringView segment = QStringView(decoded).mid(start, at - start);
        if (segment == u"." || segment == u"..")
            return false;
        start = at + 1;
    }
    return true;
}

bool isSafePathSegment(const QString &id)
{
    const QString decoded = QUrl::fromPercentEncoding(id.toUtf8());
    if (id.isEmpty() || id == QLatin1String(".") || id == QLatin1String("..") || !staysInItsFolder(id))
        return false;
    for (const QString &form : {id, decoded}) {
        for (QChar c : form) {
            if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f)
                return false;
        }
    }
    return true;
}

QUrl imageURL(const std::optional<QString> &key)
{
    if (!key || !staysInItsFolder(*key))
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
