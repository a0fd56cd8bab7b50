#pragma once

#include "base/win32/UniqueHandle.h"
#include "firmware/FirmwareManager.h"
#include "firmware/win32/ExclusiveFirmwareFile.h"
#include "firmware/ProgressWindow.h"
#include "ui/win32/BoBaseDialog.h"

#include <cstdint>
#include <string>

class DeviceManager;
class FirmwarePrompts;
class Pauses;

// A text of the firmware update in the language: the firmware's messages pair each
// English string with the Chinese one right after it, and take up to 59 characters.
std::wstring FirmwareText(const std::wstring& language, UINT englishId);

// How long the dialog waits for the controller to come back in its upgrade code.
struct FirmwareDlgTimings {
    UINT reconnectPeriodMs = 1000;   // between two reconnection tries
    int32_t reconnectTries = 30;
    UINT checkDelayMs = 500;         // from the reconnection to the check of the upgrade code
};

// The firmware update dialog (template 145): restarts the controller into its upgrade
// code, reconnects, checks it, runs the update task and shows its file, size, progress
// and outcome. While it runs it is the link's request window and traces every request.
class FirmwareDlg : public BoBaseDialog, public ProgressWindow {
public:
    static constexpr UINT kReconnectTimer = 0;
    static constexpr UINT kCheckTimer = 1;
    static constexpr COLORREF kTitleColor = RGB(151, 163, 211);

    FirmwareDlg(HWND parent, TaskThreads& threads, Pauses& pauses, FirmwarePrompts& prompts, std::wstring language,
                FirmwareDlgTimings timings = {});

    void SetPath(std::wstring path) { path_ = std::move(path); }
    void SetDeviceManager(DeviceManager* deviceManager) { deviceManager_ = deviceManager; }
    FirmwareManager& Task() { return task_; }

    // The task's reports reach the dialog as a blocking WM_USER+1002.
    void SendProgress(int32_t code, intptr_t value) override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT controlType) override;
    void OnRequestDone(int32_t result, Message* message) override;

private:
    void OnReconnectTimer();
    void OnCheckTimer();
    void OnProgress(WPARAM code, LPARAM value);
    // Shows the text in the status line and a message box, then closes as cancelled.
    void Fail(UINT englishTextId);
    void ShowProgressControls(bool progress);
    void SetItemText(int id, const std::wstring& text);
    std::wstring Text(UINT englishId) const;

    FirmwarePrompts& prompts_;
    const std::wstring language_;
    const FirmwareDlgTimings timings_;
    ExclusiveFirmwareFile file_;   // before the task, which reads it until its worker ends
    FirmwareManager task_;
    std::wstring path_;
    DeviceManager* deviceManager_ = nullptr;
    UniqueBrush titleBrush_;
    int32_t countdown_ = 0;
};
