// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every interval the screens wait on, in milliseconds. Tests pass scaled-down values.
struct Timing {
    int debounceMs = 400;        // Explore search waits this long after the last keystroke
    int tickerMs = 200;          // upload progress estimate advances this often
    int pollMs = 2000;           // upload processing status is asked this often
    int pollDeadlineMs = 120000; // and for at most this long
    int carouselMs = 5000;       // the Home hero moves to the next wallpaper this often
};
