#pragma once

#include "UrlOpener.h"

class DesktopServicesUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl &url) override;
};
