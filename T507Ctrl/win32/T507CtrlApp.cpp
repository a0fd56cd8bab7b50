#include "win32/T507CtrlApp.h"

#include "StartupSettings.h"
#include "base/win32/ProfileSettingsStore.h"
#include "monitor/PortAccess.h"
#include "resource.h"
#include "ui/win32/GdiPlusSession.h"
#include "win32/AppEnvironment.h"
#include "win32/T507CtrlDlg.h"

#include <commctrl.h>

#include <memory>

namespace {

constexpr wchar_t kSettingsFileName[] = L"settings.ini";
constexpr wchar_t kSettingsResourceType[] = L"OWNER_DATA";

}  // namespace

int CT507CtrlApp::Run(Hardware& hardware)
{
    const std::wstring executable = ExecutablePath();
    SingleInstance instance;
    if (!instance.Claim(ApplicationNameOf(executable))) return 0;

    INITCOMMONCONTROLSEX classes{8, 0xFF};
    ::InitCommonControlsEx(&classes);

    state_.executableDirectory = DirectoryOf(executable);
    state_.settingsPath = state_.executableDirectory + kSettingsFileName;
    CreateFileFromResourceIfMissing(state_.settingsPath, instance_, kSettingsResourceType, IDR_SETTINGS_TEMPLATE);

    ProfileSettingsStore settings(state_.settingsPath);
    state_.languageCode = ResolveLanguage(settings, ReadUserLocale);
    state_.minimiseToTray = ResolveMinToTray(settings);

    GdiPlusSession graphics;
    if (!hardware.ports.Start()) {
        ::MessageBoxW(nullptr, L"Error InitializeOls()!!", nullptr, MB_OK | MB_ICONERROR);
    }
    const SIZE screen = hardware.measureScreen ? hardware.measureScreen() : MeasureDesktop();
    state_.screenWidth = screen.cx;
    state_.screenHeight = screen.cy;

    {
        auto window = std::make_unique<CT507CtrlDlg>(state_, hardware, settings);
        window->DoModal();
        hardware.ports.Stop();
        // Destroying the window stops the sensor host and disconnects the controller.
    }
    // GDI+ is shut down and the single-instance mutex released on the way out.
    return 0;
}
