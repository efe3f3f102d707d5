// The small framework's order of events on real dialogs: each test dialog acts from inside its
// own handlers (posted messages step its modal loop) and ends with a sentinel result.
#include "FrameworkTestIds.h"
#include "TestHandles.h"
#include "base/Report.h"
#include "base/Win32Handles.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kStep = WM_APP + 1;
constexpr int kSentinel = 77;

// A dialog on the plain template whose behaviour each test supplies.
class TestDialog : public CDialog {
public:
    explicit TestDialog(CWnd* parent = nullptr) : CDialog(IDD_TEST_PLAIN, parent) {}

    std::function<void(TestDialog&)> onInit;
    std::function<void(TestDialog&)> onStep;
    std::function<void(TestDialog&)> onPaint;
    std::vector<std::string> events;

    using CDialog::Default;

protected:
    bool OnMessage(const Message& msg, LRESULT& result) override;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    void OnOK() override
    {
        events.emplace_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        events.emplace_back("OnCancel");
        CDialog::OnCancel();
    }

private:
    void OnOne() { events.emplace_back("OnOne"); }
    void OnPaint()
    {
        if (onPaint)
            onPaint(*this);
        else
            Default();
    }

    static const MessageMapEntry<TestDialog> s_messageMap[];
};

const MessageMapEntry<TestDialog> TestDialog::s_messageMap[] = {
    {WM_COMMAND, IDC_TEST_ONE, BN_CLICKED, &TestDialog::OnOne},
    {WM_PAINT, 0, 0, &TestDialog::OnPaint},
};

bool TestDialog::OnMessage(const Message& msg, LRESULT& result)
{
    if (msg.message == kStep && onStep) {
        onStep(*this);
        result = 0;
        return true;
    }
    return DispatchMessageMap<TestDialog>(*this, s_messageMap, msg, result) ||
           CDialog::OnMessage(msg, result);
}

RECT RectOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// A visible top-level window to own the dialogs, away from the screen's centre.
UniqueWindow OwnerWindow()
{
    return UniqueWindow(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 40, 30, 500,
                                          400, nullptr, nullptr, nullptr, nullptr));
}

TEST(Dialog, AHiddenUnmovedDialogIsCentredOverItsOwnerOnlyAfterInitialisation)
{
    const UniqueWindow ownerWindow = OwnerWindow();
    CWnd owner(ownerWindow.get());
    TestDialog dialog(&owner);
    POINT clientOriginDuringInit{};
    RECT afterInit{};
    dialog.onInit = [&](TestDialog& d) {
        ::ClientToScreen(d.m_hWnd, &clientOriginDuringInit);
        ::PostMessageA(d.m_hWnd, kStep, 0, 0);
    };
    dialog.onStep = [&](TestDialog& d) {
        afterInit = RectOf(d.m_hWnd);
        d.EndDialog(kSentinel);
    };
    EXPECT_EQ(dialog.DoModal(), kSentinel);

    // While initialising, the dialog stands at its template position (0, 0) in the owner's client
    // area.
    EXPECT_EQ(clientOriginDuringInit.x, 40);
    EXPECT_EQ(clientOriginDuringInit.y, 30);
    const RECT ownerRect = RectOf(owner.m_hWnd);
    EXPECT_LE(std::abs((afterInit.left + afterInit.right) - (ownerRect.left + ownerRect.right)), 2);
    EXPECT_LE(std::abs((afterInit.top + afterInit.bottom) - (ownerRect.top + ownerRect.bottom)), 2);
}

TEST(Dialog, ADialogMovedOrShownDuringInitialisationStaysWhereItWasPut)
{
    const UniqueWindow ownerWindow = OwnerWindow();
    CWnd owner(ownerWindow.get());
    for (const UINT flags :
         {SWP_NOSIZE | SWP_NOZORDER, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW}) {
        TestDialog dialog(&owner);
        RECT afterInit{};
        dialog.onInit = [&](TestDialog& d) {
            const int x = (flags & SWP_SHOWWINDOW) ? 40 : 7; // shown in place, or moved
            d.SetWindowPos(nullptr, x, 9, 0, 0, flags);
            ::PostMessageA(d.m_hWnd, kStep, 0, 0);
        };
        dialog.onStep = [&](TestDialog& d) {
            afterInit = RectOf(d.m_hWnd);
            d.EndDialog(kSentinel);
        };
        EXPECT_EQ(dialog.DoModal(), kSentinel);
        EXPECT_EQ(afterInit.left, (flags & SWP_SHOWWINDOW) ? 40 : 7);
        EXPECT_EQ(afterInit.top, 9);
    }
}

struct KeyCase {
    UINT key;
    INT_PTR result;
    const char* handler;
};

TEST(Dialog, EscapeEndsWithCancelAndEnterWithoutADefaultButtonWithOk)
{
    for (const KeyCase c :
         {KeyCase{VK_ESCAPE, IDCANCEL, "OnCancel"}, KeyCase{VK_RETURN, IDOK, "OnOK"}}) {
        TestDialog dialog;
        dialog.onInit = [&](TestDialog& d) {
            ::PostMessageA(::GetDlgItem(d.m_hWnd, IDC_TEST_ONE), WM_KEYDOWN, c.key, 1);
        };
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.events, std::vector<std::string>{c.handler});
    }
}

TEST(Dialog, TheMessageMapMatchesControlAndNotification)
{
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) {
        ::PostMessageA(d.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_ONE, BN_DOUBLECLICKED), 0);
        ::PostMessageA(d.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_TWO, BN_CLICKED), 0);
        ::PostMessageA(d.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_ONE, BN_CLICKED), 0);
        ::PostMessageA(d.m_hWnd, kStep, 0, 0);
    };
    dialog.onStep = [](TestDialog& d) { d.EndDialog(kSentinel); };
    EXPECT_EQ(dialog.DoModal(), kSentinel);
    EXPECT_EQ(dialog.events, std::vector<std::string>{"OnOne"});
}

TEST(Dialog, DefaultRunsTheDialogManagersPaintingInsideTheHandler)
{
    TestDialog dialog;
    bool invalidBefore = false;
    bool invalidAfter = true;
    dialog.onInit = [](TestDialog& d) {
        d.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    };
    dialog.onPaint = [&](TestDialog& d) {
        invalidBefore = ::GetUpdateRect(d.m_hWnd, nullptr, FALSE) != FALSE;
        d.Default();
        invalidAfter = ::GetUpdateRect(d.m_hWnd, nullptr, FALSE) != FALSE;
        d.EndDialog(kSentinel);
    };
    EXPECT_EQ(dialog.DoModal(), kSentinel);
    EXPECT_TRUE(invalidBefore);
    EXPECT_FALSE(invalidAfter);
}

// What a message box showed.
struct SeenBox {
    std::string caption;
    std::string text;
    bool hasCancel = true;
    bool hasExclamationIcon = false;
};

// Reads the first message box that this thread shows while the reader lives, as the box is
// activated (its controls are all there then), and closes it with OK. A computer-based-training
// hook on the thread is called for every window activated on it, so nothing has to be waited for.
class MessageBoxReader {
public:
    MessageBoxReader()
        : m_Hook(::SetWindowsHookExA(WH_CBT, OnEvent, nullptr, ::GetCurrentThreadId()))
    {
        s_Reader = this;
    }
    MessageBoxReader(const MessageBoxReader&) = delete;
    MessageBoxReader& operator=(const MessageBoxReader&) = delete;
    ~MessageBoxReader() { s_Reader = nullptr; }

    bool Hooked() const { return static_cast<bool>(m_Hook); }
    int BoxesSeen() const { return m_Boxes; }
    const SeenBox& Seen() const { return m_Seen; }

private:
    static LRESULT CALLBACK OnEvent(int code, WPARAM wParam, LPARAM lParam)
    {
        auto* const window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && s_Reader != nullptr && IsDialog(window))
            s_Reader->Read(window);
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static bool IsDialog(HWND window)
    {
        char name[16] = {};
        ::GetClassNameA(window, name, sizeof name);
        return std::string(name) == "#32770";
    }

    void Read(HWND box)
    {
        if (m_Boxes++ > 0)
            return;
        char text[512] = {};
        ::GetWindowTextA(box, text, sizeof text);
        m_Seen.caption = text;
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        m_Seen.text = text;
        m_Seen.hasCancel = ::GetDlgItem(box, IDCANCEL) != nullptr;
        auto* const icon =
            reinterpret_cast<HICON>(::SendDlgItemMessageA(box, 0x0440, STM_GETICON, 0, 0));
        m_Seen.hasExclamationIcon = icon && icon == ::LoadIconA(nullptr, IDI_EXCLAMATION);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    }

    static inline MessageBoxReader* s_Reader = nullptr;
    UniqueWindowsHook m_Hook;
    SeenBox m_Seen;
    int m_Boxes = 0;
};

TEST(AppMessageBox, HasOneOkButtonTheExclamationIconAndTheExecutableNameAsCaption)
{
    CWinApp app;
    const MessageBoxReader reader;
    ASSERT_TRUE(reader.Hooked());
    EXPECT_EQ(AfxMessageBox("Empty tga file"), IDOK);
    EXPECT_EQ(reader.BoxesSeen(), 1);
    EXPECT_EQ(reader.Seen().caption, "win_tests");
    EXPECT_EQ(reader.Seen().text, "Empty tga file");
    EXPECT_FALSE(reader.Seen().hasCancel);
    EXPECT_TRUE(reader.Seen().hasExclamationIcon);
}

TEST(StartUp, AddsTheQuietDiskErrorModesToTheModeInForce)
{
    ::SetErrorMode(SEM_NOGPFAULTERRORBOX);
    AfxWinInit(::GetModuleHandleA(nullptr));
    EXPECT_EQ(::GetErrorMode(), static_cast<UINT>(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS |
                                                  SEM_NOOPENFILEERRORBOX));
}

} // namespace
