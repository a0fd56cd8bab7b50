#pragma once

#include "ui/win32/Dialog.h"

#include <string>

// The maker's web site, where updates of the utility are published.
inline constexpr wchar_t kMakerWebsite[] = L"https://www.example.com/lumivar/";

// The help screen: how to use the lighting panel, the program's name and version, and
// a link to the maker's web site. English in every language.
class CAboutDlg : public Dialog {
public:
    explicit CAboutDlg(HWND parent);

    // The help text of the edit box: six numbered paragraphs, no line break after the last.
    static std::wstring HelpText();

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
