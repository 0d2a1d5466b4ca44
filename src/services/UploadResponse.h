#pragma once
#include <QString>

struct UploadResponse {
    QString jobId;
    QString message;
};
