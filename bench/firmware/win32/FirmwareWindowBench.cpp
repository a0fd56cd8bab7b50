// The firmware benchmark with the program's own plumbing: the request window is a
// dialog made from the firmware template on this thread (a blocking WM_USER+1000 per
// request), progress goes to it as WM_USER+1002, the worker is a system thread whose
// wait dispatches messages, and every request is traced to the debugger output.

#include "../FirmwareBenchRun.h"

#include "firmware/win32/ExclusiveFirmwareFile.h"
#include "firmware/win32/Win32TaskThreads.h"
#include "link/DebugTrace.h"
#include "link/win32/DebuggerTraceSink.h"
#include "resource.h"
#include "ui/win32/BoBaseDialog.h"

#include <commctrl.h>

namespace {

class BenchDialog final : public BoBaseDialog, public ProgressWindow {
public:
    BenchDialog() : BoBaseDialog(IDD_FIRMWARE, nullptr) {}

    void SendProgress(int32_t code, intptr_t value) override
    {
        ::SendMessageW(Handle(), kProgressMessage, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kProgressMessage) {
            if (wParam == FirmwareManager::kTransferring) {
                ::SendDlgItemMessageW(Handle(), IDC_PROGRESS, PBM_SETPOS, wParam, 0);
            }
            return 0;
        }
        return BoBaseDialog::WindowProc(message, wParam, lParam);
    }
    void OnRequestDone(int32_t result, Message* message) override
    {
        if (message != nullptr) TraceRequest(result, *message, LUMIVAR_WIDEN(__FILE__), __LINE__);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    DebuggerTraceSink sink;
    TraceSink* previous = InstallTraceSink(&sink);
    BenchDialog dialog;
    if (!dialog.Create()) {
        std::printf("the firmware dialog template could not be made into a window\n");
        return 1;
    }
    Win32TaskThreads threads;
    ExclusiveFirmwareFile reader;
    const int result = firmwarebench::RunBenchmark(argc, argv, dialog, threads, dialog, reader);
    InstallTraceSink(previous);
    return result;
}
