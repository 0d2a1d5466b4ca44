// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/Formatters.h"

#include <cmath>

Formatters::Formatters(QObject *parent)
    : QObject(parent)
{
}

Formatters *Formatters::create(QQmlEngine *, QJSEngine *)
{
    static Formatters formatters;
    QJSEngine::setObjectOwnership(&formatters, QJSEngine::CppOwnership);
    return &formatters;
}

QString Formatters::formatByteCount(qint64 bytes)
{
    if (bytes == 0)
        return QStringLiteral("Zero KB");
    const QString sign = bytes < 0 ? QStringLiteral("-") : QString();
    const double magnitude = std::abs(double(bytes));
    if (magnitude == 1)
        return sign + QStringLiteral("1 byte");
    if (magnitude < 1000)
        return sign + QString::number(qint64(magnitude)) + QStringLiteral(" bytes");

    struct Unit {
        const char *name;
        int decimals;
    };
    static constexpr Unit units[] = {{"KB", 0}, {"MB", 1}, {"GB", 2}, {"TB", 2}, {"PB", 2}, {"EB", 2}};
    double divisor = 1000;
    for (size_t i = 0; i < std::size(units); ++i, divisor *= 1000) {
        const double scale = std::pow(10.0, units[i].decimals);
        const double rounded = std::round(magnitude / divisor * scale) / scale;
        if (rounded < 1000 || i + 1 == std::size(units)) {
            QString number = QString::number(rounded, 'f', units[i].decimals);
            if (number.contains(QLatin1Char('.'))) {
                while (number.endsWith(QLatin1Char('0')))
                    number.chop(1);
                if (number.endsWith(QLatin1Char('.')))
                    number.chop(1);
            }
            return sign + number + QLatin1Char(' ') + QLatin1String(units[i].name);
        }
    }
    return {};
}

QString Formatters::formatDimensions(int width, int height)
{
    return QString::number(width) + QStringLiteral(" \u00D7 ") + QString::number(height);
}
