#pragma once

// Who the program says it is: the message boxes' title, the maker's web
// address that the window's title and its bottom label show, and the desktop
// entry it belongs to. The address and the entry's name come from the build
// (MORVELT_HOME_PAGE and MORVELT_APP_ID in the top CMakeLists.txt), which
// also names the installed files after them.

namespace morvelt {

inline constexpr char ApplicationTitle[] = "Morvelt";
inline constexpr char HomePage[] = MORVELT_HOME_PAGE;
inline constexpr char DesktopEntry[] = MORVELT_APP_ID;

} // namespace morvelt
