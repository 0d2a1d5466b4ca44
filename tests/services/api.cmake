# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
lumivane_add_test(tst_apiclient SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tst_apiclient.cpp TIMEOUT 40)
lumivane_add_test(tst_deviceidentity SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/tst_deviceidentity.cpp)
