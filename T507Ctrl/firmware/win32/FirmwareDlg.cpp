#include "firmware/win32/FirmwareDlg.h"

#include "firmware/win32/FirmwarePrompts.h"
#include "ui/win32/LanguageText.h"
#include "link/DebugTrace.h"
#include "link/DeviceManager.h"
#include "resource.h"

#include <commctrl.h>

#include <cwchar>

FirmwareDlg::FirmwareDlg(HWND parent, TaskThreads& threads, Pauses& pauses, FirmwarePrompts& prompts,
                         std::wstring language, FirmwareDlgTimings timings)
    : BoBaseDialog(IDD_FIRMWARE, parent), prompts_(prompts), language_(std::move(language)),
      timings_(timings), task_(threads, pauses, file_)
{
}

std::wstring FirmwareText(const std::wstring& language, UINT englishId)
{
    return LanguageText(language, englishId, englishId + 1, 60);
}

std::wstring FirmwareDlg::Text(UINT englishId) const { return FirmwareText(language_, englishId); }

void FirmwareDlg::SetItemText(int id, const std::wstring& text) { ::SetDlgItemTextW(Handle(), id, text.c_str()); }

void FirmwareDlg::ShowProgressControls(bool progress)
{
    ::ShowWindow(::GetDlgItem(Handle(), IDC_STATUS), progress ? SW_HIDE : SW_SHOW);
    ::ShowWindow(::GetDlgItem(Handle(), IDC_PROGRESS), progress ? SW_SHOW : SW_HIDE);
    ::ShowWindow(::GetDlgItem(Handle(), IDC_PERCENT), progress ? SW_SHOW : SW_HIDE);
}

void FirmwareDlg::SendProgress(int32_t code, intptr_t value)
{
    HWND window = Handle();
    if (window == nullptr || !::IsWindow(window)) return;
    ::SendMessageW(window, kProgressMessage, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
}

BOOL FirmwareDlg::OnInitDialog()
{
    BoBaseDialog::OnInitDialog();
    titleBrush_.Reset(::CreateSolidBrush(kTitleColor));
    ShowProgressControls(false);
    task_.Init(this, deviceManager_);
    SetItemText(IDC_STATUS, Text(IDS_FW_RESET_EN));
    task_.RequestUpgradeMode();
    countdown_ = timings_.reconnectTries;
    ::SetTimer(Handle(), kReconnectTimer, timings_.reconnectPeriodMs, nullptr);
    return TRUE;
}

LRESULT FirmwareDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kReconnectTimer) {
        OnReconnectTimer();
        return 0;
    }
    if (message == WM_TIMER && wParam == kCheckTimer) {
        OnCheckTimer();
        return 0;
    }
    if (message == kProgressMessage) {
        OnProgress(wParam, lParam);
        return 0;
    }
    return BoBaseDialog::WindowProc(message, wParam, lParam);
}

void FirmwareDlg::OnReconnectTimer()
{
    if (countdown_ != 0) {
        SetItemText(IDC_STATUS, Text(IDS_FW_RECONNECT_EN));
        ControllerLink* link = deviceManager_ != nullptr ? deviceManager_->Controller() : nullptr;
        if (deviceManager_ != nullptr && link != nullptr) {
            deviceManager_->Connect(deviceManager_->SelectedIndex());
            if (deviceManager_->IsConnected() != 0) {
                link->Info().Reset();
                link->ReadDeviceInfo();
                ::KillTimer(Handle(), kReconnectTimer);
                ::SetTimer(Handle(), kCheckTimer, timings_.checkDelayMs, nullptr);
                countdown_ = timings_.reconnectTries;
            }
        }
    } else {
        ::KillTimer(Handle(), kReconnectTimer);
        Fail(IDS_FW_RECONNECT_FAILED_EN);
    }
    --countdown_;
}

void FirmwareDlg::OnCheckTimer()
{
    ::KillTimer(Handle(), kCheckTimer);
    ControllerLink* link = deviceManager_ != nullptr ? deviceManager_->Controller() : nullptr;
    // Also refuses an upgrade code whose blocks would have no room for data.
    if (countdown_ != 0 && link != nullptr && deviceManager_->IsConnected() != 0 &&
        FirmwareManager::CanWriteBlocks(link->Info())) {
        ShowProgressControls(true);
        if (!task_.Start(path_)) Fail(IDS_FW_FAILED_EN);
    } else {
        Fail(IDS_FW_NO_INFO_EN);
    }
    --countdown_;
}

void FirmwareDlg::OnProgress(WPARAM code, LPARAM value)
{
    HWND progress = ::GetDlgItem(Handle(), IDC_PROGRESS);
    wchar_t percent[16];
    switch (code) {
    case FirmwareManager::kReady: {
        ::SendMessageW(progress, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        ::SendMessageW(progress, PBM_SETPOS, 0, 0);
        ::SendMessageW(progress, PBM_SETSTEP, 1, 0);
        if (const auto* texts = reinterpret_cast<const FirmwareFileTexts*>(value); texts != nullptr) {
            SetItemText(IDC_FILE_NAME, texts->name);
            SetItemText(IDC_FILE_SIZE, texts->length + L" " + Text(IDS_BYTES_EN));
        }
        std::swprintf(percent, 16, L"%d%%", 0);
        SetItemText(IDC_PERCENT, percent);
        break;
    }
    case FirmwareManager::kTransferring:
        ::SendMessageW(progress, PBM_SETPOS, static_cast<WPARAM>(value), 0);
        std::swprintf(percent, 16, L"%d%%", static_cast<int>(value));
        SetItemText(IDC_PERCENT, percent);
        break;
    case FirmwareManager::kSucceeded:
        prompts_.Show(Handle(), Text(IDS_FW_SUCCEEDED_EN), Text(IDS_NOTICE_EN), MB_OK);
        EndDialog(IDCANCEL);
        break;
    case FirmwareManager::kFailed:
        prompts_.Show(Handle(), Text(IDS_FW_FAILED_EN), Text(IDS_NOTICE_EN), MB_OK);
        EndDialog(IDCANCEL);
        break;
    default:
        break;
    }
}

void FirmwareDlg::Fail(UINT englishTextId)
{
    const std::wstring text = Text(englishTextId);
    SetItemText(IDC_STATUS, text);
    ShowProgressControls(false);
    prompts_.Show(Handle(), text, Text(IDS_NOTICE_EN), MB_OK);
    EndDialog(IDCANCEL);
}

void FirmwareDlg::OnCancel()
{
    ::KillTimer(Handle(), kReconnectTimer);
    ::KillTimer(Handle(), kCheckTimer);
    ShowProgressControls(false);
    task_.Cancel();
    EndDialog(IDCANCEL);
}

HBRUSH FirmwareDlg::OnCtlColor(HDC dc, HWND control, UINT controlType)
{
    if (controlType == CTLCOLOR_STATIC && ::GetDlgCtrlID(control) == IDC_DIALOG_TITLE && titleBrush_) {
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::SetBkColor(dc, kTitleColor);
        return titleBrush_.Get();
    }
    return BoBaseDialog::OnCtlColor(dc, control, controlType);
}

void FirmwareDlg::OnRequestDone(int32_t result, Message* message)
{
    if (message != nullptr) TraceRequest(result, *message, LUMIVAR_WIDEN(__FILE__), __LINE__);
}
