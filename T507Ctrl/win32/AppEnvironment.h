#pragma once

#include "StartupSettings.h"
#include "base/win32/UniqueHandle.h"

#include <windows.h>

#include <string>

// Where the program runs from and what the user's system says, as the start-up needs it.

// Full path of the running executable.
std::wstring ExecutablePath();
// Everything up to and including the path's last backslash.
std::wstring DirectoryOf(const std::wstring& path);
// The file name without directory and extension: the single-instance mutex's name.
std::wstring ApplicationNameOf(const std::wstring& path);

// The user default locale's ISO 639 language and ISO 3166 country.
UserLocale ReadUserLocale();

// Creates the file with the bytes of a resource when no file exists at the path.
// False when nothing was written (file present, resource missing, write failed).
bool CreateFileFromResourceIfMissing(const std::wstring& path, HINSTANCE module, const wchar_t* type, UINT id);

// Holds the named mutex that keeps a second copy of the program from running.
class SingleInstance {
public:
    // False when another copy holds the name (nothing is claimed then).
    bool Claim(const std::wstring& name);
    void Release();
    ~SingleInstance() { Release(); }

private:
    UniqueKernelHandle mutex_;
};
