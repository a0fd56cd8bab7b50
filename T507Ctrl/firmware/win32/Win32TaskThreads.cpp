#include "firmware/win32/Win32TaskThreads.h"

#include "base/win32/UniqueHandle.h"

#include <windows.h>

#include <process.h>

namespace {

unsigned __stdcall ThreadMain(void* argument)
{
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(argument));
    (*body)();
    return 0;
}

class Win32TaskThread final : public TaskThread {
public:
    explicit Win32TaskThread(UniqueKernelHandle thread) : thread_(std::move(thread)) {}
    // The thread has nothing more to send once its body returned: a plain wait is safe.
    ~Win32TaskThread() override { ::WaitForSingleObject(thread_.Get(), INFINITE); }

    bool WaitDispatching() override
    {
        const HANDLE thread = thread_.Get();
        bool quit = false;
        WPARAM quitCode = 0;
        bool ok = true;
        for (;;) {
            const DWORD woken = ::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT);
            if (woken == WAIT_OBJECT_0) break;
            if (woken != WAIT_OBJECT_0 + 1) {
                ok = false;
                break;
            }
            // Sent messages (the worker's requests and reports) are handled inside
            // PeekMessageW; every posted one is dispatched, so none waits for new input.
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    quit = true;
                    quitCode = message.wParam;
                    continue;
                }
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        // A quit request seen here belongs to the loop that runs after the wait.
        if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
        return ok;
    }

private:
    UniqueKernelHandle thread_;
};

}  // namespace

std::unique_ptr<TaskThread> Win32TaskThreads::StartAboveNormal(std::function<void()> body)
{
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    const uintptr_t started = ::_beginthreadex(nullptr, 0, &ThreadMain, owned.get(), CREATE_SUSPENDED, nullptr);
    if (started == 0) return nullptr;
    owned.release();   // the thread owns its body now
    UniqueKernelHandle thread(reinterpret_cast<HANDLE>(started));
    ::SetThreadPriority(thread.Get(), THREAD_PRIORITY_ABOVE_NORMAL);
    ::ResumeThread(thread.Get());
    return std::make_unique<Win32TaskThread>(std::move(thread));
}
