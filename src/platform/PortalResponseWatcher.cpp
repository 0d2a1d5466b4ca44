#include "PortalResponseWatcher.h"

void PortalResponseWatcher::onResponse(uint code, const QVariantMap &)
{
    if (m_code)
        return;
    m_code = code;
    Q_EMIT answered(code);
}
