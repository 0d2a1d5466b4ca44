# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND LUMIVANE_CORE_SOURCES
    services/APIClient.h services/APIClient.cpp
    services/APIError.h services/APIError.cpp
    services/EnvelopeDecoder.h services/EnvelopeDecoder.cpp
    services/DeviceIdentity.h services/DeviceIdentity.cpp
    platform/MachineIdSource.h platform/MachineIdSource.cpp
)
