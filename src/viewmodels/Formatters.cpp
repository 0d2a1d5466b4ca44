// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmodels/Formatters.h"

#include <QCoreApplication>
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
        return QCoreApplication::translate("Formatters", "Zero KB");
    const QString sign = bytes < 0 ? QStringLiteral("-") : QString();
    const double magnitude = std::abs(double(bytes));
    if (magnitude == 1)
        return sign + QCoreApplication::translate("Formatters", "1 byte");
    if (magnitude < 1000)
        return sign + QCoreApplication::translate("Formatters", "%1 bytes").arg(qint64(magnitude));

    struct Unit {
        const char *name;
        int decimals;
    };
    static constexpr Unit units[] = {{QT_TRANSLATE_NOOP("Formatters", "KB"), 0}, {QT_TRANSLATE_NOOP("Formatters", "MB"), 1},
                                     {QT_TRANSLATE_NOOP("Formatters", "GB"), 2}, {QT_TRANSLATE_NOOP("Formatters", "TB"), 2},
                                     {QT_TRANSLATE_NOOP("Formatters", "PB"), 2}, {QT_TRANSLATE_NOOP("Formatters", "EB"), 2}};
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
            return sign + number + QLatin1Char(' ') + QCoreApplication::translate("Formatters", units[i].name);
        }
    }
    return {};
}

QString Formatters::formatDimensions(int width, int height)
{
    return QString::number(width) + QStringLiteral(" \u00D7 ") + QString::number(height);
}
