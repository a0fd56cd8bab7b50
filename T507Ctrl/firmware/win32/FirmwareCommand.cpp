#include "firmware/win32/FirmwareCommand.h"

#include "base/Pauses.h"
#include "firmware/win32/FirmwarePrompts.h"
#include "firmware/win32/Win32TaskThreads.h"
#include "link/DeviceManager.h"
#include "resource.h"

#include <commctrl.h>

namespace {

constexpr uint32_t kBeforeReconnectMs = 200;

}  // namespace

bool RunFirmwareCommand(HWND owner, DeviceManager& deviceManager, RequestWindow& mainWindow,
                        const std::wstring& language, const std::function<void(int32_t)>& setLinkState,
                        Pauses& pauses, FirmwarePrompts* prompts, const FirmwareDlgTimings& timings)
{
    if (deviceManager.IsConnected() == 0) return false;
    ControllerLink* link = deviceManager.Controller();
    if (link == nullptr) return false;

    SystemFirmwarePrompts systemPrompts;
    FirmwarePrompts& ask = prompts != nullptr ? *prompts : systemPrompts;
    std::wstring path;
    if (!ask.ChooseFile(owner, FirmwareText(language, IDS_FW_SELECT_EN), path)) return false;
    if (ask.Show(owner, FirmwareText(language, IDS_FW_WARNING_EN), FirmwareText(language, IDS_NOTICE_EN),
                 MB_OKCANCEL) != IDOK) {
        return false;
    }

    // The dialog's progress bar.
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    {
        Win32TaskThreads threads;
        // Owned by the main window, which stays disabled while the update runs.
        FirmwareDlg dialog(owner, threads, pauses, ask, language, timings);
        link->SetWindow(&dialog);
        dialog.SetPath(path);
        dialog.SetDeviceManager(&deviceManager);
        if (setLinkState) setLinkState(kLinkStateFirmwareDialog);
        dialog.DoModal();
        // The worker has nothing left to send once the dialog is closed; let it end
        // before the dialog goes.
        dialog.Task().WaitWithMessages();
        link->SetWindow(&mainWindow);
    }
    if (setLinkState) setLinkState(kLinkStateBetweenUpdateAndReconnect);
    deviceManager.Disconnect();
    pauses.Sleep(kBeforeReconnectMs);
    if (setLinkState) setLinkState(kLinkStateReady);
    return true;
}
