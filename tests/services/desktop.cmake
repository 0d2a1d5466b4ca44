# SPDX-FileCopyrightText: 2026 The Lumivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
lumivane_add_test(tst_engine SOURCES tst_engine.cpp)
