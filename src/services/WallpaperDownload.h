#pragma once
#include <QString>

struct WallpaperDownload {
    QString url;      // absolute URL of the file to fetch
    QString filename; // name the service suggests (untrusted: reduce before joining to a folder)
};
