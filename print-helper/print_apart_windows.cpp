#include "print-helper/print_apart.h"

#include <windows.h>

#include <string>

namespace morvelt {

namespace {

// How the child knows it is the one that prints: Windows has no fork, so the
// child is this program again, with the same command line.
constexpr wchar_t ChildMark[] = L"MORVELT_PRINT_CHILD";

} // namespace

std::optional<int> PrintApart()
{
    if (GetEnvironmentVariableW(ChildMark, nullptr, 0) > 0)
        return std::nullopt;
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length == MAX_PATH || !SetEnvironmentVariableW(ChildMark, L"1"))
        return std::nullopt;
    std::wstring commandLine = GetCommandLineW();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child)) {
        SetEnvironmentVariableW(ChildMark, nullptr);
        return std::nullopt;
    }
    CloseHandle(child.hThread);
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD status = 0;
    const bool known = GetExitCodeProcess(child.hProcess, &status);
    CloseHandle(child.hProcess);
    // A status the window does not know is a print not seen through.
    return known ? static_cast<int>(status) : -1;
}

} // namespace morvelt
