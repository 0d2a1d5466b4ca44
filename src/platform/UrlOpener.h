#pragma once

#include <QUrl>

// Opens a URL with the desktop's handler for it.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual bool open(const QUrl &url) = 0;
};
