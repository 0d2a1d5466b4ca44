#include "SetWallpaperCommand.h"

#include <cstdio>

int runSetWallpaperCommand(const QString &, bool)
{
    std::fputs("lumivane: setting wallpapers from the command line is not available yet\n", stderr);
    return 1;
}
