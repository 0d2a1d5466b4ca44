#include "DesktopServicesUrlOpener.h"

#include <QDesktopServices>

bool DesktopServicesUrlOpener::open(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
