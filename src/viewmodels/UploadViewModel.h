// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Category.h"
#include "viewmodels/RequestSlot.h"
#include "viewmodels/ScopeGroup.h"
#include "viewmodels/Timing.h"
#include "viewmodels/UploadState.h"

#include <QCoroTask>
#include <QObject>
#include <QQmlEngine>
#include <QSizeF>
#include <QStringList>
#include <QUrl>
#include <QVariantList>
#include <functional>

class APIClient;
#include "viewmodels/WallpaperListModel.h"

// The Upload screen: one checked image file, the form, the upload with its progress estimate,
// the wait for processing, and the list of this device's uploads.
class UploadViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int minimumWidth READ minimumWidth CONSTANT)
    Q_PROPERTY(int minimumHeight READ minimumHeight CONSTANT)
    Q_PROPERTY(QUrl picturesFolder READ picturesFolder CONSTANT)
    Q_PROPERTY(QUrl selectedFileURL READ selectedFileURL NOTIFY selectedFileChanged)
    Q_PROPERTY(bool hasSelectedFile READ hasSelectedFile NOTIFY selectedFileChanged)
    Q_PROPERTY(QString selectedFileName READ selectedFileName NOTIFY selectedFileChanged)
    Q_PROPERTY(QSizeF imageResolution READ imageResolution NOTIFY imageResolutionChanged)
    Q_PROPERTY(QString imageResolutionText READ imageResolutionText NOTIFY imageResolutionChanged)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QString description READ description WRITE setDescription NOTIFY descriptionChanged)
    Q_PROPERTY(QString categoryId READ categoryId WRITE setCategoryId NOTIFY categoryIdChanged)
    Q_PROPERTY(QStringList tags READ tags WRITE setTags NOTIFY tagsChanged)
    Q_PROPERTY(double uploadProgress READ uploadProgress NOTIFY uploadProgressChanged)
    Q_PROPERTY(QString uploadState READ uploadStateName NOTIFY uploadStateChanged)
    Q_PROPERTY(QString uploadStateMessage READ uploadStateMessage NOTIFY uploadStateChanged)
    Q_PROPERTY(WallpaperListModel *myUploads READ myUploads CONSTANT)
    Q_PROPERTY(QVariantList categories READ categoriesVariants NOTIFY categoriesChanged)
    Q_PROPERTY(QString processingJobId READ processingJobId NOTIFY processingJobIdChanged)
    Q_PROPERTY(QString validationError READ validationError NOTIFY validationErrorChanged)
    Q_PROPERTY(QString titleError READ titleError NOTIFY titleErrorChanged)
    Q_PROPERTY(QString categoryError READ categoryError NOTIFY categoryErrorChanged)
    Q_PROPERTY(bool canUpload READ canUpload NOTIFY canUploadChanged)

public:
    static constexpr qint64 maxFileBytes = 52'428'800;
    static constexpr int minWidth = 2560;
    static constexpr int minHeight = 1600;
    static int minimumWidth() { return minWidth; }
    static int minimumHeight() { return minHeight; }
    // Where the file dialog opens: the user's Pictures folder, else the home folder.
    static QUrl picturesFolder();
    static constexpr int minTitleLength = 3;
    static constexpr int maxTitleLength = 100;

    using MachineIdProvider = std::function<QString()>;

    explicit UploadViewModel(QObject *parent = nullptr);
    UploadViewModel(APIClient &api, MachineIdProvider machineId, Timing timing, QObject *parent = nullptr);
    ~UploadViewModel() override;

    QUrl selectedFileURL() const { return m_selectedFileURL; }
    bool hasSelectedFile() const { return !m_selectedFileURL.isEmpty(); }
    QString selectedFileName() const;
    QSizeF imageResolution() const { return m_imageResolution; }
    QString imageResolutionText() const;
    QString title() const { return m_title; }
    void setTitle(const QString &title);
    QString description() const { return m_description; }
    void setDescription(const QString &description);
    QString categoryId() const { return m_categoryId; }
    void setCategoryId(const QString &categoryId);
    QStringList tags() const { return m_tags; }
    void setTags(const QStringList &tags);
    double uploadProgress() const { return m_uploadProgress; }
    const UploadState &state() const { return m_uploadState; }
    void setState(const UploadState &state);
    QString uploadStateName() const { return m_uploadState.name(); }
    QString uploadStateMessage() const { return m_uploadState.message(); }
    WallpaperListModel *myUploads() const { return m_myUploads; }
    const QList<Category> &categories() const { return m_categories; }
    QVariantList categoriesVariants() const;
    QString processingJobId() const { return m_processingJobId; }
    QString validationError() const { return m_validationError; }
    QString titleError() const { return m_titleError; }
    QString categoryError() const { return m_categoryError; }
    bool canUpload() const;

    // The view answers fileDialogRequested with its own file dialog, which then calls loadFile().
    Q_INVOKABLE void selectFile();
    // Checks a picked or dropped file, its pixels off the GUI thread; a rejected one leaves the
    // previous selection.
    Q_INVOKABLE void loadFile(const QUrl &url);
    QCoro::Task<void> loadFileAsync(QUrl url);
    Q_INVOKABLE void clearFile();
    Q_INVOKABLE bool validate();
    // "Try again": back to idle.
    Q_INVOKABLE void resetState();
    // Tag entry: trimmed of spaces and tabs, lower-cased; empty and repeated tags are ignored.
    Q_INVOKABLE void addTag(const QString &text);
    // Removes every tag equal to `tag`.
    Q_INVOKABLE void removeTag(const QString &tag);

    Q_INVOKABLE void upload();
    // What the screen needs when it is shown: the categories, then this device's uploads.
    Q_INVOKABLE void load();
    QCoro::Task<void> loadAsync();
    Q_INVOKABLE void loadCategories();
    Q_INVOKABLE void loadMyUploads();
    QCoro::Task<void> uploadAsync();
    QCoro::Task<void> loadCategoriesAsync();
    QCoro::Task<void> loadMyUploadsAsync();

Q_SIGNALS:
    void fileDialogRequested();
    void selectedFileChanged();
    void imageResolutionChanged();
    void titleChanged();
    void descriptionChanged();
    void categoryIdChanged();
    void tagsChanged();
    void uploadProgressChanged();
    void uploadStateChanged();
    void categoriesChanged();
    void processingJobIdChanged();
    void validationErrorChanged();
    void titleErrorChanged();
    void categoryErrorChanged();
    void canUploadChanged();

private:
    QCoro::Task<void> runTicker(CancellationToken ticker);
    QCoro::Task<void> pollProcessing();
    void forgetFile();
    void setSelectedFile(const QUrl &url, QSizeF resolution);
    void setUploadProgress(double progress);
    void setProcessingJobId(const QString &jobId);
    void setValidationError(const QString &error);
    void setTitleError(const QString &error);
    void setCategoryError(const QString &error);
    // Emits canUploadChanged when the derived value moved.
    void updateCanUpload();

    APIClient &m_api;
    MachineIdProvider m_machineId;
    Timing m_timing;
    ScopeGroup m_scopes;
    RequestSlot m_myUploadsSlot{m_scopes};
    RequestSlot m_fileSlot{m_scopes};

    QUrl m_selectedFileURL;
    QSizeF m_imageResolution;
    QString m_title;
    QString m_description;
    QString m_categoryId;
    QStringList m_tags;
    double m_uploadProgress = 0;
    UploadState m_uploadState;
    WallpaperListModel *m_myUploads;
    QList<Category> m_categories;
    QString m_processingJobId;
    QString m_validationError;
    QString m_titleError;
    QString m_categoryError;
    bool m_canUpload = false;
};
