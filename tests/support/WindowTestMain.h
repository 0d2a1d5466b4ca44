// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class DbusTestBus;

// The main() of a test that drives the real window: a private session bus, GNOME's settings
// store kept in a file under the test's XDG_CONFIG_HOME, the app's names and its icon font; then
// `run`, given the bus, runs the test object (QTest::qExec).
int runWindowTest(int argc, char *argv[], const std::function<int(DbusTestBus &)> &run);
