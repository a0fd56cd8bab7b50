// T507Ctrl.exe as a black box: started as a process of its own from a folder of its
// own, looked at through its windows and its settings file.
#include "support/win32/WindowTestSupport.h"

#include "resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The program as it is installed: the executable with its skin folder beside it.
void Install(const std::wstring& folder, const std::wstring& name)
{
    const std::wstring built = ProgramFolder();
    ::CopyFileW((built + L"T507Ctrl.exe").c_str(), (folder + name).c_str(), FALSE);
    ::CreateDirectoryW((folder + L"res").c_str(), nullptr);
    WIN32_FIND_DATAW file{};
    HANDLE search = ::FindFirstFileW((built + L"res\\*.png").c_str(), &file);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        ::CopyFileW((built + L"res\\" + file.cFileName).c_str(), (folder + L"res\\" + file.cFileName).c_str(), FALSE);
    } while (::FindNextFileW(search, &file));
    ::FindClose(search);
}

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::wstring Text(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

// One run of the program, from a copy in a folder of its own.
class Program {
public:
    Program(const std::wstring& folder, const std::wstring& name) : path_(folder + name)
    {
        Install(folder, name);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + path_ + L"\"";
        started_ = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    folder.c_str(), &startup, &process_) != FALSE;
    }

    ~Program()
    {
        if (!started_) return;
        if (!Exited(0)) {
            ::TerminateProcess(process_.hProcess, 1);
            ::WaitForSingleObject(process_.hProcess, 5000);
        }
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }

    bool Started() const { return started_; }
    bool Exited(DWORD waitMs) const { return ::WaitForSingleObject(process_.hProcess, waitMs) == WAIT_OBJECT_0; }

    // The first top-level window of the process with this title, waiting up to 20 s.
    HWND WaitForWindow(const std::wstring& title) const
    {
        for (int i = 0; i < 200; ++i) {
            if (HWND found = FindWindowOf(title)) return found;
            if (Exited(0)) return nullptr;
            ::Sleep(100);
        }
        return nullptr;
    }

    HWND FindWindowOf(const std::wstring& title) const
    {
        struct Search {
            DWORD process;
            const std::wstring* title;
            HWND found;
        } search{process_.dwProcessId, &title, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                if (owner != s->process || !::IsWindowVisible(window) || Text(window) != *s->title) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Answers the error boxes a machine without port access and GPU driver shows.
    HWND OpenMainWindow() const
    {
        for (int i = 0; i < 100; ++i) {
            if (HWND box = FindWindowOf(L"Error")) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            if (HWND main = FindWindowOf(L"Lumivar utility")) {
                if (FindWindowOf(L"Error") == nullptr) return main;
            }
            ::Sleep(100);
        }
        return nullptr;
    }

    // Answers the error boxes and closes the main window once it is there.
    void Close() const
    {
        for (int i = 0; i < 100 && !Exited(100); ++i) {
            if (HWND box = FindWindowOf(L"Error")) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            if (HWND main = FindWindowOf(L"Lumivar utility")) {
                ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED), 0);
            }
        }
    }

private:
    std::wstring path_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

class ProgramRun : public ::testing::Test {
protected:
    std::wstring Settings() const { return folder.Path() + L"settings.ini"; }
    TemporaryFolder folder;
};

TEST_F(ProgramRun, CreatesTheSettingsFileAndWritesBothKeys)
{
    Program program(folder.Path(), L"T507Ctrl.exe");
    ASSERT_TRUE(program.Started());
    ASSERT_NE(program.WaitForWindow(L"Error"), nullptr);  // no port access here: start-up goes on after it
    EXPECT_EQ(ReadFile(Settings()), "[Settings]\r\nLanguage=EN\r\nMinToTray=0\r\n");
    program.Close();
    EXPECT_TRUE(program.Exited(5000));
}

TEST_F(ProgramRun, EmptySettingsFileStartsWithTheTemplateBytes)
{
    // The template itself, before the keys are written, as a new file gets it.
    HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_SETTINGS_TEMPLATE), L"OWNER_DATA");
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
    EXPECT_EQ(std::string(bytes, ::SizeofResource(nullptr, found)), "[Settings]\n");
}

TEST_F(ProgramRun, StoredValuesAreNormalised)
{
    WriteFile(Settings(), "[Settings]\r\nLanguage=zh\r\nMinToTray=yes\r\n");
    Program program(folder.Path(), L"T507Ctrl.exe");
    ASSERT_NE(program.WaitForWindow(L"Error"), nullptr);
    EXPECT_EQ(ReadFile(Settings()), "[Settings]\r\nLanguage=ZH\r\nMinToTray=1\r\n");
    program.Close();
}

TEST_F(ProgramRun, SecondCopyEndsSilentlyButAnotherNameRunsBeside)
{
    Program first(folder.Path(), L"T507Ctrl.exe");
    ASSERT_NE(first.WaitForWindow(L"Error"), nullptr);

    Program second(folder.Path(), L"T507Ctrl.exe");
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.Exited(10000));
    EXPECT_EQ(second.FindWindowOf(L"Error"), nullptr);
    EXPECT_EQ(second.FindWindowOf(L"Lumivar utility"), nullptr);

    Program renamed(folder.Path(), L"T507CtrlCopy.exe");
    EXPECT_NE(renamed.WaitForWindow(L"Error"), nullptr);
    EXPECT_FALSE(renamed.Exited(0));
    renamed.Close();
    first.Close();
}

TEST_F(ProgramRun, WithoutControllerTheStatusReadsDeviceNotFoundInRed)
{
    Program program(folder.Path(), L"T507Ctrl.exe");
    HWND main = program.OpenMainWindow();
    ASSERT_NE(main, nullptr);
    ::Sleep(500);  // connection attempt and paint
    HWND status = ::GetDlgItem(main, IDC_STATUS);
    EXPECT_TRUE(::IsWindowVisible(status));
    EXPECT_EQ(Text(status), L"Device not found!");

    // Another process's window is read from the screen, where it is shown.
    RECT rect{};
    ::GetWindowRect(status, &rect);
    HDC screen = ::GetDC(nullptr);
    bool red = false;
    for (int y = rect.top; y < rect.bottom && !red; ++y) {
        for (int x = rect.left; x < rect.right && !red; ++x) {
            const COLORREF pixel = ::GetPixel(screen, x, y);
            red = GetRValue(pixel) > 180 && GetGValue(pixel) < 80 && GetBValue(pixel) < 80;
        }
    }
    ::ReleaseDC(nullptr, screen);
    EXPECT_TRUE(red);
    program.Close();
    EXPECT_TRUE(program.Exited(5000));
}

}  // namespace
