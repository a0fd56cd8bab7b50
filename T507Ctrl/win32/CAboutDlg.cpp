#include "win32/CAboutDlg.h"

#include "resource.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

CAboutDlg::CAboutDlg(HWND parent) : Dialog(IDD_ABOUTBOX, parent)
{
    // The link control's class is not among those the program registers at start-up.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LINK_CLASS};
    ::InitCommonControlsEx(&classes);
}

std::wstring CAboutDlg::HelpText()
{
    std::wstring text;
    text += L"1. Choose the lighting panel under the \u2018LOCATION\u2019.";
    text += L"\r\n";
    text += L"2. If you want to control this panel individually, ensure no lights are lit up under \u2018SYNC\u2019.";
    text += L"\r\n";
    text += L"3. If you want to synchronize the effects of more than one lighting panel, choose";
    text += L" the lighting panels you wish to sync with the currently selected panel, and clickon the SYNC button.";
    text += L"\r\n";
    text += L"4. Choose the color on the color wheel and/or brightness level to your preference.";
    text += L"\r\n";
    text += L"5. Lighting modes can be selected under \u2018LIGHTING MODE\u2019. Note: not all modes";
    text += L" support brightness adjustments. Some modes can only be applied to multiple";
    text += L" locations via the SYNC function.";
    text += L"\r\n";
    text += L"6. To restore default settings, click \u201CDEFAULT\u201D below \u2018LIGHTING MODE\u2019.";
    return text;
}

BOOL CAboutDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    ::SetDlgItemTextW(Handle(), IDC_HELP_TEXT, HelpText().c_str());
    const std::wstring link = std::wstring(L"<a href=\"") + kMakerWebsite + L"\">web site</a>";
    ::SetDlgItemTextW(Handle(), IDC_WEBSITE_LINK, link.c_str());
    return TRUE;
}

LRESULT CAboutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_WEBSITE_LINK && (header->code == NM_CLICK || header->code == NM_RETURN)) {
            ::ShellExecuteW(Handle(), L"open", kMakerWebsite, nullptr, nullptr, SW_SHOWNORMAL);
            return 0;
        }
    }
    return Dialog::WindowProc(message, wParam, lParam);
}
