// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/SpannedPicture.h"

#include "models/AppError.h"
#include "services/WallpaperError.h"

#include <QCoreApplication>
#include <QCoroFuture>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPromise>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QThreadPool>

#include <algorithm>
#include <memory>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

const QString prefix = u"spanned-"_s;

// The picture scaled to cover `size` and cut to it around its centre.
QImage cover(const QString &file, const QSize &size)
{
    QImageReader reader(file);
    reader.setAutoTransform(true);
    QImage picture = reader.read();
    if (picture.isNull())
        throw WallpaperError::setFailed(QCoreApplication::translate("SpannedPicture", "the picture “%1” could not be read: %2").arg(file, reader.errorString()));
    // Cut first, then scale: scaling a very narrow picture up to cover first would take gigabytes.
    const qreal scale = std::max(qreal(size.width()) / picture.width(), qreal(size.height()) / picture.height());
    const QSize part(std::clamp(qRound(size.width() / scale), 1, picture.width()),
                     std::clamp(qRound(size.height() / scale), 1, picture.height()));
    const QRect centre(QPoint((picture.width() - part.width()) / 2, (picture.height() - part.height()) / 2), part);
    return picture.copy(centre).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QRect boundsOf(const QList<SpannedPicture::Part> &parts)
{
    QRect bounds;
    for (const SpannedPicture::Part &part : parts)
        bounds |= part.rect;
    return bounds;
}

} // namespace

QString SpannedPicture::refusal(const QList<Part> &parts)
{
    const QRect bounds = boundsOf(parts);
    if (bounds.isEmpty())
        return QCoreApplication::translate("SpannedPicture", "the monitors' places are not known");
    if (bounds.width() > maximumSide || bounds.height() > maximumSide)
        return QCoreApplication::translate("SpannedPicture", "the monitors together measure %1 × %2 pixels, more than one picture can cover (%3 a side)")
            .arg(bounds.width()).arg(bounds.height()).arg(maximumSide);
    return {};
}

QImage SpannedPicture::compose(const QList<Part> &parts)
{
    if (const QString reason = refusal(parts); !reason.isEmpty())
        throw WallpaperError::setFailed(reason);
    const QRect bounds = boundsOf(parts);

    QImage canvas(bounds.size(), QImage::Format_RGB32);
    if (canvas.isNull())
        throw WallpaperError::setFailed(QCoreApplication::translate("SpannedPicture", "there is not enough memory for a picture of %1 × %2 pixels").arg(bounds.width()).arg(bounds.height()));
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    for (const Part &part : parts) {
        if (!part.rect.isEmpty())
            painter.drawImage(part.rect.topLeft() - bounds.topLeft(), cover(part.file, part.rect.size()));
    }
    return canvas;
}

QCoro::Task<QString> SpannedPicture::write(QList<Part> parts, QString directory)
{
    if (!QDir().mkpath(directory))
        throw FileError(QCoreApplication::translate("WallpaperEngine", "The folder “%1” couldn’t be created.").arg(directory));
    // The time and a random part: two compositions in the same millisecond still differ.
    const QString path = directory + u'/' + prefix + QString::number(QDateTime::currentMSecsSinceEpoch()) + u'-'
                         + QString::number(QRandomGenerator::global()->generate(), 16) + u".png"_s;

    using Outcome = std::variant<QString, WallpaperError, FileError>;
    auto promise = std::make_shared<QPromise<Outcome>>();
    QFuture<Outcome> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, parts, path] {
        Outcome outcome = path;
        try {
            const QImage picture = compose(parts);
            QSaveFile file(path);
            QImageWriter writer(&file, "png");
            writer.setQuality(70); // light compression: a screen-sized picture is written in a moment
            if (!file.open(QIODevice::WriteOnly) || !writer.write(picture) || !file.commit())
                outcome = FileError(u"“%1” couldn’t be saved: %2"_s.arg(path, file.errorString()));
        } catch (const WallpaperError &error) {
            outcome = error;
        }
        promise->addResult(outcome);
        promise->finish();
    });
    const Outcome outcome = co_await future;
    if (const auto *error = std::get_if<WallpaperError>(&outcome))
        throw *error;
    if (const auto *error = std::get_if<FileError>(&outcome))
        throw *error;
    co_return std::get<QString>(outcome);
}

void SpannedPicture::removeOthers(const QString &directory, const QString &keep)
{
    QDir folder(directory);
    const QString kept = QFileInfo(keep).fileName();
    for (const QString &name : folder.entryList({prefix + u'*'}, QDir::Files | QDir::Hidden)) {
        if (name != kept)
            folder.remove(name);
    }
}
