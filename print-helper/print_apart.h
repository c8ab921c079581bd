#pragma once

#include <optional>

namespace morvelt {

// The window ends the helper it started when it closes, as a program ends
// the processes it started; a page that the teacher handed over must not go
// with it. So the helper prints in a process of its own, a child it waits
// for, and the window ends only the waiting one.
//
// Called first thing in main(): in the process that waits, returns the
// status to exit with, the printing child's; in the child, nothing, and it
// goes on to print. Where no child can be made, nothing either: the page is
// printed here, and goes with the window if it closes first. A process that
// made its child but cannot learn how it ended returns NotConfirmed: the
// child may have printed.
std::optional<int> PrintApart();

} // namespace morvelt
