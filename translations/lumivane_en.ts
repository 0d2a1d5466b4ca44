<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>APIClient</name>
    <message>
        <source>The file “%1” couldn’t be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file “%1” couldn’t be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>APIError</name>
    <message>
        <source>Server error (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to process response</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid server response</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AlertDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppConfig</name>
    <message>
        <source>15 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4 hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppToolbarView</name>
    <message>
        <source>Lumivane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AutoChanger</name>
    <message>
        <source>Not changed: the connection is metered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not changed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not changed: there are no wallpapers to choose from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed to “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lock screen not changed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wallpaper changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not changed: no wallpaper of the source could be downloaded (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CategoryRowView</name>
    <message>
        <source>See All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandDesktopBackend</name>
    <message>
        <source>the screen locker of this session (swaylock, hyprlock) takes its picture from its own configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this X session&apos;s screen locker has no lock-screen picture that a setting chooses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be started: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not an absolute path</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopBackend</name>
    <message>
        <source>%1 cannot span one picture across the monitors</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopError</name>
    <message>
        <source>Failed to set wallpaper: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExploreView</name>
    <message>
        <source>Search wallpapers...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search wallpapers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No wallpapers found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try different search terms or filters</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Formatters</name>
    <message>
        <source>Zero KB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EB</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GSettingsDesktopBackend</name>
    <message>
        <source>%1 is not an absolute path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME 3.36 and later show the desktop picture, blurred, on the lock screen; set this wallpaper as the desktop picture to see it there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cinnamon shows the desktop picture on its lock screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MATE&apos;s screensaver shows a blank screen when locked, not a picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the settings schema %1 is not installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the settings schema %1 has no key %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the setting %1 %2 is locked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the setting %1 %2 could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the setting %1 %2 did not keep the new picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GlassErrorView</name>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HeroSectionView</name>
    <message>
        <source>Remove from favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FEATURED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applying wallpaper...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HttpFetch</name>
    <message>
        <source>Operation canceled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server sent more data than allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request timed out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The download ended before it was complete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibraryView</name>
    <message>
        <source>Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No downloads yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloaded wallpapers will appear here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No favorites yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wallpapers you favorite will appear here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NavPillTabView</name>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Explore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Library</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlasmaDesktopBackend</name>
    <message>
        <source>KDE Plasma did not run the desktop script: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KDE Plasma has no desktop on screen %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KDE Plasma did not keep the new picture on screen %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 failed with status %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the screen locker&apos;s settings did not keep the new picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KDE Plasma has no desktop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortalDesktopBackend</name>
    <message>
        <source>this desktop&apos;s portal cannot set a lock-screen picture (it would change the desktop picture instead)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the desktop portal refused the picture: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the desktop portal did not answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the change was cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the desktop portal could not set the picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QProcessRunner</name>
    <message>
        <source>Could not run %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APPEARANCE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start on login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-change wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only wallpapers that fit my displays</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notify on each change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOCK SCREEN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable lock screen wallpapers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Granted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not granted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grant Permission</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STORAGE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cache size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Cache</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ABOUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Privacy Policy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terms of Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the desktop&apos;s title bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop draws the window&apos;s frame and buttons instead of the toolbar. Takes effect at once.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsViewModel</name>
    <message>
        <source>Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Newest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Popular</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tomorrow %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to pick from: there are no favorites yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next change: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last change (%1): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not schedule the automatic change: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Sheet</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SortSegments</name>
    <message>
        <source>Newest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Popular</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trending</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpannedPicture</name>
    <message>
        <source>the picture “%1” could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the monitors&apos; places are not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the monitors together measure %1 × %2 pixels, more than one picture can cover (%3 a side)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is not enough memory for a picture of %1 × %2 pixels</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusBadge</name>
    <message>
        <source>Pending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Approved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rejected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemdUserTimer</name>
    <message>
        <source>Could not create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The path of the running program is unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TagInputView</name>
    <message>
        <source>Tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove tag %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add tag...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add tag</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnavailableDesktopBackend</name>
    <message>
        <source>no supported desktop was found. Lumivane sets wallpapers on GNOME, Unity, Budgie, Pantheon, Cinnamon, MATE, KDE Plasma and Xfce, on sway, Hyprland (hyprpaper) and with swww, on other X11 sessions with feh or xwallpaper, and elsewhere through the desktop portal (xdg-desktop-portal)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UploadStateArea</name>
    <message>
        <source>Uploading... %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Processing image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wallpaper submitted for review!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UploadView</name>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share with the Community</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload your favorite wallpapers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag &amp; drop an image here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPG, PNG, HEIC — min %1×%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description (optional)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upload Wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My uploads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your uploaded wallpapers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No uploaded wallpapers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select wallpapers to start sharing with the community</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UploadViewModel</name>
    <message>
        <source>Could not load image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read image dimensions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only JPG, PNG, and HEIC files are supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File size must be under 50MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image must be at least %1×%2 pixels (got %3×%4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title must be at least %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title must be under %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Processing failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Processing timed out. Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WallpaperApplier</name>
    <message>
        <source>Wallpaper Not Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock Screen Not Set</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WallpaperCardView</name>
    <message>
        <source>Open wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set as desktop wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to favourites</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WallpaperDetailView</name>
    <message>
        <source>Set Desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Lock Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applying wallpaper...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tags</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Success</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display for the desktop picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WallpaperDetailViewModel</name>
    <message>
        <source>Desktop wallpaper set successfully!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock screen wallpaper set successfully!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved to Downloads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All displays</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — %2 × %3</source>
        <extracomment>A monitor&apos;s name and its size in pixels, e.g. &quot;DP-1 — 2560 × 1440&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop wallpaper set on %1!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WallpaperEngine</name>
    <message>
        <source>The folder “%1” couldn’t be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operation canceled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 shows one picture on every monitor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wallpaper Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop wallpaper has been updated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock Screen Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock screen wallpaper has been updated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lays one picture across all monitors, and without a display their places are unknown; choose the monitor in the app&apos;s window</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WallpaperError</name>
    <message>
        <source>Failed to set wallpaper: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to download wallpaper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No screens detected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accessibility permission required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This feature requires macOS 14 or later</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WallpaperGrid</name>
    <message>
        <source>Loading more...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All wallpapers loaded</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowControls</name>
    <message>
        <source>Close window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximise</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>XdgAutostartBackend</name>
    <message>
        <source>The path of the running program is unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>XfceDesktopBackend</name>
    <message>
        <source>Xfce&apos;s settings service refused %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Xfce did not keep the new picture for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Xfce&apos;s screen locker has no lock-screen picture to set</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Browse, apply and share desktop wallpapers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download the image at &lt;url&gt; and make it the desktop picture of every screen, then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --set-wallpaper: set the lock-screen picture instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --set-wallpaper: set the picture of the monitor &lt;name&gt; only (as xrandr names it), where the desktop keeps one per monitor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the desktop picture now to the next wallpaper of the automatic change (the source chosen in Settings, none repeated until all were shown), then exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run without a window and change the wallpaper at the interval chosen in Settings while automatic change is on.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
