#include "monitor/win32/WinRing0Ports.h"

#include <utility>

namespace {

constexpr WORD kReadIoPortByte = 51;
constexpr WORD kReadIoPortWord = 52;
constexpr WORD kWriteIoPortByte = 54;
constexpr WORD kWriteIoPortDword = 56;

std::wstring ExecutableFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

template <typename Function>
Function Export(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

template <typename Function>
Function Export(HMODULE library, WORD ordinal)
{
    return Export<Function>(library, MAKEINTRESOURCEA(ordinal));
}

// Shared or exclusive hold of an SRW lock for one scope.
class SharedHold {
public:
    explicit SharedHold(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockShared(&lock_); }
    ~SharedHold() { ReleaseSRWLockShared(&lock_); }
    SharedHold(const SharedHold&) = delete;
    SharedHold& operator=(const SharedHold&) = delete;

private:
    SRWLOCK& lock_;
};

class ExclusiveHold {
public:
    explicit ExclusiveHold(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveHold() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;

private:
    SRWLOCK& lock_;
};

}  // namespace

WinRing0Ports::WinRing0Ports() : WinRing0Ports(ExecutableFolder()) {}

WinRing0Ports::WinRing0Ports(std::wstring folder) : folder_(std::move(folder)) {}

WinRing0Ports::~WinRing0Ports()
{
    Stop();
}

const wchar_t* WinRing0Ports::LibraryName()
{
#ifdef _WIN64
    return L"WinRing0x64.dll";
#else
    return L"WinRing0.dll";
#endif
}

bool WinRing0Ports::LoadLocked()
{
    if (library_) return true;
    if (folder_.empty()) return false;  // no full path, and no search path either
    const std::wstring path = folder_ + LibraryName();
    UniqueModule library(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library) return false;

    const HMODULE module = library.Get();
    initialize_ = Export<InitializeFunction>(module, "InitializeOls");
    deinitialize_ = Export<DeinitializeFunction>(module, "DeinitializeOls");
    readByte_ = Export<ReadByteFunction>(module, kReadIoPortByte);
    readWord_ = Export<ReadWordFunction>(module, kReadIoPortWord);
    writeByte_ = Export<WriteByteFunction>(module, kWriteIoPortByte);
    writeDword_ = Export<WriteDwordFunction>(module, kWriteIoPortDword);
    if (initialize_ == nullptr || deinitialize_ == nullptr || readByte_ == nullptr || readWord_ == nullptr ||
        writeByte_ == nullptr || writeDword_ == nullptr) {
        return false;  // not the library we expect; it is unloaded again here
    }
    library_ = std::move(library);
    return true;
}

bool WinRing0Ports::Start()
{
    ExclusiveHold hold(lock_);
    if (started_) return true;
    if (!LoadLocked()) return false;
    started_ = initialize_() != FALSE;
    return started_;
}

void WinRing0Ports::Stop()
{
    ExclusiveHold hold(lock_);
    if (!started_) return;
    deinitialize_();
    started_ = false;
}

uint8_t WinRing0Ports::ReadPortByte(uint16_t port)
{
    SharedHold hold(lock_);
    return started_ ? readByte_(port) : 0;
}

uint16_t WinRing0Ports::ReadPortWord(uint16_t port)
{
    SharedHold hold(lock_);
    return started_ ? readWord_(port) : 0;
}

void WinRing0Ports::WritePortByte(uint16_t port, uint8_t value)
{
    SharedHold hold(lock_);
    if (started_) writeByte_(port, value);
}

void WinRing0Ports::WritePortDword(uint16_t port, uint32_t value)
{
    SharedHold hold(lock_);
    if (started_) writeDword_(port, value);
}
