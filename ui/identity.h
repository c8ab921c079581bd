#pragma once

// Who the program says it is: the message boxes' title and the maker's web
// address that the window's title and its bottom label show. The address
// comes from the build (MORVELT_HOME_PAGE in the top CMakeLists.txt), which
// also writes it into the desktop metadata.

namespace morvelt {

inline constexpr char ApplicationTitle[] = "Morvelt";
inline constexpr char HomePage[] = MORVELT_HOME_PAGE;

} // namespace morvelt
