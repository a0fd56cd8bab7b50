#include "ui/win32/ButtonImages.h"

#include "ui/win32/Button.h"

void LoadButtonImages(Button& button, const std::wstring& skinFolder, const std::wstring& baseName, int x, int y,
                      bool withDisabled)
{
    const std::wstring path = skinFolder + baseName;
    if (withDisabled) button.SetDisabledImage(path + L"_DISABLE.png");
    button.SetImages(path + L".png", path + L"_HOVER.png");
    if (button.Handle() != nullptr)
        ::SetWindowPos(button.Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LoadToggleButtonImages(Button& button, const std::wstring& skinFolder, const std::wstring& baseName, int x, int y,
                            bool withDisabled)
{
    LoadButtonImages(button, skinFolder, baseName, x, y, withDisabled);
    const std::wstring selected = skinFolder + baseName + L"_SELECTED";
    button.SetSelectedImages(selected + L".png", selected + L"_HOVER.png");
    button.SetToggleMode(true);
}
