#include "firmware/FirmwareStack.h"

#include "firmware/win32/FirmwareCommand.h"
#include "firmware/win32/FirmwarePrompts.h"
#include "firmware/win32/Win32TaskThreads.h"
#include "resource.h"
#include "sim/SimRequestWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace firmwaretest;

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

bool Visible(HWND window) { return (::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// What the dialog showed when a message box came up over it.
struct DialogView {
    std::wstring status, fileName, fileSize, percent;
    bool statusVisible = false, progressVisible = false;
    int progressPosition = -1;
    COLORREF titleBrush = CLR_INVALID, titleText = CLR_INVALID, titleBack = CLR_INVALID;
    bool otherStaticUsesTitleBrush = false;
};

struct Box {
    std::wstring text, caption;
    UINT type = 0;
    bool overFirmwareDialog = false;
    DialogView view;
};

DialogView ViewOf(HWND dialog)
{
    DialogView view;
    view.status = TextOf(::GetDlgItem(dialog, IDC_STATUS));
    view.fileName = TextOf(::GetDlgItem(dialog, IDC_FILE_NAME));
    view.fileSize = TextOf(::GetDlgItem(dialog, IDC_FILE_SIZE));
    view.percent = TextOf(::GetDlgItem(dialog, IDC_PERCENT));
    view.statusVisible = Visible(::GetDlgItem(dialog, IDC_STATUS));
    view.progressVisible = Visible(::GetDlgItem(dialog, IDC_PROGRESS)) && Visible(::GetDlgItem(dialog, IDC_PERCENT));
    view.progressPosition = static_cast<int>(::SendDlgItemMessageW(dialog, IDC_PROGRESS, PBM_GETPOS, 0, 0));

    HDC dc = ::CreateCompatibleDC(nullptr);
    HWND title = ::GetDlgItem(dialog, IDC_DIALOG_TITLE);
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(title)));
    LOGBRUSH logBrush{};
    if (brush != nullptr && ::GetObjectW(brush, sizeof logBrush, &logBrush) == sizeof logBrush) {
        view.titleBrush = logBrush.lbColor;
    }
    view.titleText = ::GetTextColor(dc);
    view.titleBack = ::GetBkColor(dc);
    auto other = reinterpret_cast<HBRUSH>(::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_STATUS))));
    view.otherStaticUsesTitleBrush = other == brush;
    ::DeleteDC(dc);
    return view;
}

// Answers the firmware command's questions and keeps what each box said.
class ScriptedPrompts final : public FirmwarePrompts {
public:
    std::wstring file;
    bool chooseFile = true;
    int warningAnswer = IDOK;
    std::vector<std::wstring> titles;
    std::vector<Box> boxes;

    bool ChooseFile(HWND, const std::wstring& title, std::wstring& path) override
    {
        titles.push_back(title);
        if (!chooseFile) return false;
        path = file;
        return true;
    }
    int Show(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override
    {
        Box box{text, caption, type, false, {}};
        wchar_t className[32] = {};
        if (owner != nullptr && ::GetClassNameW(owner, className, 32) > 0 && ::GetDlgItem(owner, IDC_PROGRESS)) {
            box.overFirmwareDialog = true;
            box.view = ViewOf(owner);
        }
        boxes.push_back(box);
        return (type & 0x0F) == MB_OKCANCEL ? warningAnswer : IDOK;
    }
};

// The visible dialog of this thread whose template holds the progress bar, or null.
HWND FindFirmwareDialog()
{
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            if (::GetDlgItem(window, IDC_PROGRESS) != nullptr && ::IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Moves the simulated time on from the user-interface thread's own loops (the dialog's
// modal loop), so the controller's restart passes while the dialog waits, and gives the
// test a say at every tick.
class ClockTicker {
public:
    ClockTicker(SimClock& clock, std::function<void(int)> onTick) : clock_(clock), onTick_(std::move(onTick))
    {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 5, &ClockTicker::Tick);
    }
    ~ClockTicker()
    {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (current_ == nullptr) return;
        current_->clock_.Advance(100);
        if (current_->onTick_) current_->onTick_(++current_->ticks_);
    }

    static inline ClockTicker* current_ = nullptr;
    SimClock& clock_;
    std::function<void(int)> onTick_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
};

class FirmwareDialogTest : public ::testing::Test {
protected:
    FirmwareDialogTest()
    {
        bus.Attach(controller);
        manager.Setup(&mainWindow, nullptr, table, 1);
    }

    ControllerLink& Link() { return *manager.Controller(); }

    void Connect()
    {
        manager.RefreshNames();
        ASSERT_EQ(manager.Connect(0), 1);
        Link().Info().Reset();
        ASSERT_EQ(Link().ReadDeviceInfo(), 1);
    }

    // The firmware command from the menu, with the simulated time moving on.
    bool RunCommand(const std::wstring& language, std::function<void(int)> onTick = {})
    {
        ClockTicker ticker(clock, std::move(onTick));
        return RunFirmwareCommand(nullptr, manager, mainWindow, language,
                                  [this](int32_t state) { linkStates.push_back(state); }, pauses, &prompts, fast);
    }

    // What the main window's connection step does afterwards: connect, restart a
    // controller left in its upgrade code, read the version.
    std::string ReconnectLikeTheMainWindow()
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            clock.Advance(2000);
            manager.RefreshNames();
            if (manager.Connect(0) != 1) continue;
            Link().Info().Reset();
            if (Link().ReadDeviceInfo() != 1) continue;
            if (Link().Info().InUpgradeMode()) {
                Link().Restart();
                manager.Disconnect();
                continue;
            }
            if (Link().ReadVersion() != 1) return "<no version>";
            return Link().Info().VersionText();
        }
        return "<not found>";
    }

    std::vector<uint8_t> Commands() const
    {
        std::vector<uint8_t> commands;
        for (const SimReceivedFrame& frame : controller.ReceivedFrames()) commands.push_back(frame.command);
        return commands;
    }
    size_t CountOf(uint8_t command) const
    {
        const std::vector<uint8_t> commands = Commands();
        return static_cast<size_t>(std::count(commands.begin(), commands.end(), command));
    }

    // The common end of every run of the dialog: the link is the main window's again
    // and the connection was dropped and paused over.
    void ExpectHandedBack()
    {
        EXPECT_EQ(linkStates, (std::vector<int32_t>{1, 0, 2}));
        EXPECT_EQ(Link().Window(), &mainWindow);
        EXPECT_EQ(manager.IsConnected(), 0);
        ASSERT_FALSE(pauses.Recorded().empty());
        EXPECT_EQ(pauses.Recorded().back(), 200u);
        EXPECT_EQ(FindFirmwareDialog(), nullptr);
    }

    SimTraceSink trace;
    SimClock clock;
    SimLightingController controller{clock};
    SimHidBus bus{clock};
    DirectRequestWindow mainWindow;
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    DeviceManager manager{bus};
    RecordingPauses pauses{&clock};
    ScriptedPrompts prompts;
    FirmwareDlgTimings fast{10, 30, 10};
    std::vector<int32_t> linkStates;
};

// --- the whole update, in each language

struct LanguageCase {
    const wchar_t* code;
    const wchar_t* selectTitle;
    const wchar_t* warning;
    const wchar_t* notice;
    const wchar_t* succeeded;
    const wchar_t* bytes;
};

class FirmwareUpdateFlow : public FirmwareDialogTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(FirmwareUpdateFlow, FromTheMenuToTheReconnectedControllerWithItsNewVersion)
{
    const LanguageCase& c = GetParam();
    TemporaryFile file("fw-65536.bin");
    const Bytes image = Image(65536, "2.0.0");
    file.Write(image);
    prompts.file = file.Path();
    Connect();

    std::vector<int> positions;   // of the progress bar, while it is shown
    int refusedOpens = 0, grantedOpens = 0;
    ASSERT_TRUE(RunCommand(c.code, [&](int) {
        HWND dialog = FindFirmwareDialog();
        if (dialog != nullptr && Visible(::GetDlgItem(dialog, IDC_PROGRESS))) {
            const int position = static_cast<int>(::SendDlgItemMessageW(dialog, IDC_PROGRESS, PBM_GETPOS, 0, 0));
            positions.push_back(position);
            if (position > 0 && position < 100) {
                // Nobody else may open the file while its blocks go out.
                HANDLE other = ::CreateFileW(file.Path().c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, 0, nullptr);
                if (other == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_SHARING_VIOLATION) ++refusedOpens;
                if (other != INVALID_HANDLE_VALUE) {
                    ++grantedOpens;
                    ::CloseHandle(other);
                }
            }
        }
    }));
    EXPECT_GT(refusedOpens, 0);
    EXPECT_EQ(grantedOpens, 0);

    // The bar moved on while the blocks went.
    EXPECT_TRUE(std::any_of(positions.begin(), positions.end(), [](int p) { return p > 0 && p < 100; }));
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    ASSERT_EQ(prompts.titles, std::vector<std::wstring>{c.selectTitle});
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[0].text, c.warning);
    EXPECT_EQ(prompts.boxes[0].caption, c.notice);
    EXPECT_EQ(prompts.boxes[0].type, static_cast<UINT>(MB_OKCANCEL));
    const Box& outcome = prompts.boxes[1];
    EXPECT_TRUE(outcome.overFirmwareDialog);
    EXPECT_EQ(outcome.text, c.succeeded);
    EXPECT_EQ(outcome.caption, c.notice);
    EXPECT_EQ(outcome.type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(outcome.view.fileName, L"fw-65536.bin");
    EXPECT_EQ(outcome.view.fileSize, std::wstring(L"65536 ") + c.bytes);
    EXPECT_TRUE(outcome.view.progressVisible);
    EXPECT_FALSE(outcome.view.statusVisible);
    EXPECT_EQ(outcome.view.progressPosition, 100);
    EXPECT_EQ(outcome.view.percent, L"100%");
    EXPECT_EQ(outcome.view.titleBrush, RGB(151, 163, 211));
    EXPECT_EQ(outcome.view.titleBack, RGB(151, 163, 211));
    EXPECT_EQ(outcome.view.titleText, RGB(255, 255, 255));
    EXPECT_FALSE(outcome.view.otherStaticUsesTitleBrush);
    ExpectHandedBack();

    EXPECT_EQ(CountOf(0x02), 1u);
    EXPECT_EQ(CountOf(0x83), (65536u + 61) / 62);
    EXPECT_EQ(controller.WrittenImage(), image);
    EXPECT_EQ(ReconnectLikeTheMainWindow(), "2.0.0");

    // The dialog traced the requests it ran, the worker's blocks among them.
    size_t dialogLines = 0, blockLines = 0;
    for (const std::wstring& line : trace.Lines()) {
        if (line.find(L"FirmwareDlg.cpp(") == std::wstring::npos) continue;
        ++dialogLines;
        if (line.find(L"CMD: [83]") != std::wstring::npos && line.find(L"RESULT: [TRUE]") != std::wstring::npos) {
            ++blockLines;
        }
    }
    EXPECT_EQ(blockLines, CountOf(0x83));
    EXPECT_GE(dialogLines, blockLines + 4);   // 02, 82, 84, FF besides the blocks
}

INSTANTIATE_TEST_SUITE_P(
    Languages, FirmwareUpdateFlow,
    ::testing::Values(LanguageCase{L"EN", L"Please select a firmware",
                                   L"Please don't shutdown computer when update firmware.", L"Notice",
                                   L"Succeed to upgrade FW!", L"Bytes"},
                      LanguageCase{L"ZH", L"请选择一个固件", L"请谨慎操作! 固件更新时不要关闭计算机.", L"注意",
                                   L"固件更新成功!", L"字节"},
                      LanguageCase{L"FR", L"", L"", L"", L"", L""}),
    [](const ::testing::TestParamInfo<LanguageCase>& info) {
        return std::string(info.param.code, info.param.code + 2);
    });

// --- failures shown by the dialog

TEST_F(FirmwareDialogTest, ControllerBackInItsNormalFirmwareFailsAtTheCheck)
{
    TemporaryFile file("fw.bin");
    file.Write(Image(1000, "2.0.0"));
    prompts.file = file.Path();
    Connect();
    ASSERT_TRUE(RunCommand(L"EN", [this](int) {
        // Comes back at once, but without having entered its upgrade code.
        if (!controller.Present() && !controller.InUpgradeCode()) {
            controller.Remove();
            controller.Return();
        }
    }));
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[1].text, L"Failed to get information from device!");
    EXPECT_EQ(prompts.boxes[1].view.status, L"Failed to get information from device!");
    EXPECT_TRUE(prompts.boxes[1].view.statusVisible);
    EXPECT_FALSE(prompts.boxes[1].view.progressVisible);
    EXPECT_EQ(CountOf(0x82), 0u);
    ExpectHandedBack();
    EXPECT_EQ(ReconnectLikeTheMainWindow(), "1.0.3");
}

TEST_F(FirmwareDialogTest, UpgradeCodeWithoutRoomForBlockDataFailsAtTheCheck)
{
    TemporaryFile file("fw.bin");
    file.Write(Image(1000, "2.0.0"));
    prompts.file = file.Path();
    Connect();
    bool shrunk = false;
    ASSERT_TRUE(RunCommand(L"EN", [&](int) {
        if (!shrunk && !controller.Present()) {
            SimControllerState state = controller.State();
            state.maxPayload = 2;
            controller.SetState(state);
            shrunk = true;
        }
    }));
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[1].text, L"Failed to get information from device!");
    EXPECT_EQ(CountOf(0x82), 0u);
    EXPECT_EQ(CountOf(0x83), 0u);
    ExpectHandedBack();
    EXPECT_EQ(ReconnectLikeTheMainWindow(), "1.0.3");   // restarted out of its upgrade code
}

TEST_F(FirmwareDialogTest, ControllerThatNeverReturnsFailsAfterTheLastTry)
{
    TemporaryFile file("fw.bin");
    file.Write(Image(1000, "2.0.0"));
    prompts.file = file.Path();
    Connect();
    const DWORD start = ::GetTickCount();
    ASSERT_TRUE(RunCommand(L"EN", [this](int) {
        if (!controller.Present()) controller.Remove();   // gone for good
    }));
    EXPECT_GE(::GetTickCount() - start, 30u * fast.reconnectPeriodMs - 20);
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[1].text, L"Failed to reconnect device...");
    EXPECT_EQ(prompts.boxes[1].view.status, L"Failed to reconnect device...");
    ExpectHandedBack();
    controller.Return();
    EXPECT_EQ(ReconnectLikeTheMainWindow(), "1.0.3");
}

TEST_F(FirmwareDialogTest, FileGoneBeforeTheTransferFailsTheUpgradeWithoutABlock)
{
    TemporaryFile file("vanished.bin");
    prompts.file = file.Path();
    Connect();
    ASSERT_TRUE(RunCommand(L"EN"));
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[1].text, L"Failed to upgrade FW!");
    EXPECT_EQ(prompts.boxes[1].caption, L"Notice");
    EXPECT_EQ(CountOf(0x83), 0u);
    EXPECT_EQ(CountOf(0xFF), 0u);
    ExpectHandedBack();
    EXPECT_EQ(ReconnectLikeTheMainWindow(), "1.0.3");
}

TEST_F(FirmwareDialogTest, FileHeldByAnotherProgramFailsTheUpgradeWithoutABlock)
{
    TemporaryFile file("held.bin");
    file.Write(Image(1000, "2.0.0"));
    prompts.file = file.Path();
    Connect();
    HANDLE held = ::CreateFileW(file.Path().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(RunCommand(L"EN"));
    ::CloseHandle(held);
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[1].text, L"Failed to upgrade FW!");
    EXPECT_EQ(CountOf(0x83), 0u);
    EXPECT_EQ(CountOf(0xFF), 0u);
    ExpectHandedBack();
}

TEST_F(FirmwareDialogTest, CancelWhileReconnectingClosesTheDialogAndTheControllerIsRestartedAfterwards)
{
    TemporaryFile file("fw.bin");
    file.Write(Image(1000, "2.0.0"));
    prompts.file = file.Path();
    Connect();
    std::wstring statusAtCancel;
    bool clicked = false;
    ASSERT_TRUE(RunCommand(L"EN", [&](int) {
        HWND dialog = FindFirmwareDialog();
        if (clicked || dialog == nullptr || controller.Present()) return;
        statusAtCancel = TextOf(::GetDlgItem(dialog, IDC_STATUS));
        if (statusAtCancel != L"Reconnect device...") return;
        clicked = true;
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
    }));
    EXPECT_TRUE(clicked);
    EXPECT_EQ(prompts.boxes.size(), 1u);   // the warning only: no outcome
    EXPECT_EQ(CountOf(0x82), 0u);
    ExpectHandedBack();
    // It came back in its upgrade code meanwhile; the main window restarts it.
    EXPECT_EQ(ReconnectLikeTheMainWindow(), "1.0.3");
    EXPECT_GE(CountOf(0xFF), 1u);
}

// --- the command's own refusals

TEST_F(FirmwareDialogTest, WithoutAControllerTheCommandDoesNothing)
{
    EXPECT_FALSE(RunCommand(L"EN"));
    EXPECT_TRUE(prompts.titles.empty());
    EXPECT_TRUE(linkStates.empty());
}

TEST_F(FirmwareDialogTest, CancelInTheFileDialogOrTheWarningChangesNothing)
{
    Connect();
    controller.ForgetReceived();
    prompts.chooseFile = false;
    EXPECT_FALSE(RunCommand(L"EN"));
    EXPECT_TRUE(prompts.boxes.empty());

    prompts.chooseFile = true;
    prompts.file = L"C:\\fw.bin";
    prompts.warningAnswer = IDCANCEL;
    EXPECT_FALSE(RunCommand(L"EN"));
    EXPECT_EQ(prompts.boxes.size(), 1u);
    EXPECT_TRUE(linkStates.empty());
    EXPECT_TRUE(controller.ReceivedFrames().empty());
    EXPECT_EQ(manager.IsConnected(), 1);
    EXPECT_EQ(Link().Window(), &mainWindow);
}

// --- pieces

TEST(LanguageText, PairsOfTheStringTable)
{
    EXPECT_EQ(FirmwareText(L"EN", IDS_FW_RESET_EN), L"Reset device to FW upgrade mode...");
    EXPECT_EQ(FirmwareText(L"ZH", IDS_FW_RESET_EN), L"重启设备进入固件更新模式...");
    EXPECT_EQ(FirmwareText(L"en", IDS_FW_RESET_EN), L"");
    EXPECT_EQ(FirmwareText(L"", IDS_FW_RESET_EN), L"");
}

TEST(FirmwarePrompts, FilterOfAllFilesEndsInTwoNuls)
{
    const std::wstring filter = FileDialogFilter(L"(*.*)|*.*|");
    EXPECT_EQ(filter, std::wstring(L"(*.*)\0*.*\0\0", 11));
}

// Finds this thread's message box or file dialog and answers it.
struct SystemDialogAnswer {
    std::wstring caption, text;
    std::wstring fileToType;   // for the file dialog
    int button = IDCANCEL;
    bool answered = false;
};
SystemDialogAnswer* currentAnswer = nullptr;

void CALLBACK AnswerSystemDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (currentAnswer == nullptr || currentAnswer->answered) return;
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t className[16] = {};
            ::GetClassNameW(window, className, 16);
            if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found == nullptr) return;
    currentAnswer->caption = TextOf(found);
    currentAnswer->text = TextOf(::GetDlgItem(found, 0xFFFF));
    if (!currentAnswer->fileToType.empty()) {
        // The file name box of the open-file dialog (a combo box, or an edit box).
        if (!::SetDlgItemTextW(found, 0x047C, currentAnswer->fileToType.c_str())) {
            ::SetDlgItemTextW(found, 0x0480, currentAnswer->fileToType.c_str());
        }
    }
    currentAnswer->answered = true;
    ::KillTimer(nullptr, timer);
    ::PostMessageW(found, WM_COMMAND, MAKEWPARAM(currentAnswer->button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(found, currentAnswer->button)));
}

TEST(SystemFirmwarePrompts, MessageBoxShowsTextAndCaptionAndGivesTheButton)
{
    SystemDialogAnswer answer;
    answer.button = IDCANCEL;
    currentAnswer = &answer;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &AnswerSystemDialog);
    SystemFirmwarePrompts prompts;
    const int chosen = prompts.Show(nullptr, L"Please don't shutdown computer when update firmware.", L"Notice",
                                    MB_OKCANCEL);
    ::KillTimer(nullptr, timer);
    currentAnswer = nullptr;
    EXPECT_TRUE(answer.answered);
    EXPECT_EQ(chosen, IDCANCEL);
    EXPECT_EQ(answer.caption, L"Notice");
    EXPECT_EQ(answer.text, L"Please don't shutdown computer when update firmware.");
}

TEST(SystemFirmwarePrompts, FileDialogGivesTheFullPathOfTheChosenFile)
{
    TemporaryFile file("image.bin");
    file.Write(Bytes{1, 2, 3});
    SystemDialogAnswer answer;
    answer.button = IDOK;
    answer.fileToType = file.Path();
    currentAnswer = &answer;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &AnswerSystemDialog);
    SystemFirmwarePrompts prompts;
    std::wstring path;
    const bool chosen = prompts.ChooseFile(nullptr, L"Please select a firmware", path);
    ::KillTimer(nullptr, timer);
    currentAnswer = nullptr;
    EXPECT_TRUE(answer.answered);
    EXPECT_EQ(answer.caption, L"Please select a firmware");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(_wcsicmp(path.c_str(), file.Path().c_str()), 0) << path;
}

// --- the system's worker threads

class WindowTask final : public AsyncTask {
public:
    WindowTask(TaskThreads& threads, HWND target) : AsyncTask(threads), target_(target) {}
    ~WindowTask() override { EndWorker(); }
    int priority = 0;

protected:
    int32_t Run() override
    {
        priority = ::GetThreadPriority(::GetCurrentThread());
        // Answered only while the starting thread dispatches its messages.
        ::SendMessageW(target_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"from the worker"));
        return 1;
    }

private:
    HWND target_;
};

TEST(Win32TaskThreads, WorkerRunsAboveNormalAndItsSentMessagesAreHandledWhileWaiting)
{
    HWND target = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(target, nullptr);
    Win32TaskThreads threads;
    WindowTask task(threads, target);
    ::PostQuitMessage(3);   // a quit request seen by the wait stays for the caller's loop
    ASSERT_TRUE(task.Start());
    task.WaitWithMessages();
    EXPECT_EQ(task.priority, THREAD_PRIORITY_ABOVE_NORMAL);
    EXPECT_EQ(TextOf(target), L"from the worker");
    EXPECT_EQ(task.GetTaskState(), AsyncTask::kTaskWaited);
    MSG message;
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
    ::DestroyWindow(target);
}

}  // namespace
