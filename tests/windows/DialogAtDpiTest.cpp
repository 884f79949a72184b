#include "DialogDriving.h"
#include "framework/Dpi.h"
#include "framework/Window.h"
#include "ui/UserMessages.h"

#include <cstdlib>

namespace wintest {
namespace {

// A static text that needs more room than its control has, with the control's own font and the
// wrapping its style asks for; empty when the text fits.
std::string Misfit(HWND control) {
    char className[32] = "";
    GetClassNameA(control, className, sizeof className);
    std::string text = Text(control);
    // Statics the program draws itself show no text of their own.
    if (lstrcmpiA(className, "Static") != 0 || text.empty() || Window::FromHandle(control))
        return {};
    LONG style = GetWindowLongA(control, GWL_STYLE);
    UINT format = DT_CALCRECT | DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        format |= DT_WORDBREAK;
        break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
        format |= DT_SINGLELINE;
        break;
    default:
        return {};
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    RECT client;
    GetClientRect(control, &client);
    RECT needed = {0, 0, client.right, 0};
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text.c_str(), -1, &needed, format);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (needed.right <= client.right && needed.bottom <= client.bottom)
        return {};
    return "\"" + text + "\" needs " + std::to_string(needed.right) + " x " +
           std::to_string(needed.bottom) + " pixels, has " + std::to_string(client.right) + " x " +
           std::to_string(client.bottom);
}

BOOL CALLBACK CollectMisfit(HWND control, LPARAM misfits) {
    std::string misfit = Misfit(control);
    if (!misfit.empty())
        reinterpret_cast<std::vector<std::string>*>(misfits)->push_back(misfit);
    return TRUE;
}

} // namespace

// At 96 DPI in the tests' own prefix; the 192 DPI run of this test says which DPI it expects.
TEST_F(ConfigDialogTest, EveryStaticTextFitsItsControl) {
    Open();
    if (const char* expected = std::getenv("LUMENKITE_EXPECT_DPI")) {
        ASSERT_EQ(WindowDpi(m_hDialog), std::atoi(expected));
    }
    HWND panel = m_pDialog->PanelWindow();
    // The widest values the panel shows.
    Drag(Control(panel, IDC_SPEED), 100, true);
    SendMessageA(m_hDialog, UM_FRAMERATE, 999, 0);
    std::vector<std::string> misfits;
    for (HWND root : {m_hDialog, panel})
        EnumChildWindows(root, CollectMisfit, reinterpret_cast<LPARAM>(&misfits));
    for (const std::string& misfit : misfits)
        ADD_FAILURE() << misfit << " at " << WindowDpi(m_hDialog) << " DPI";
}

} // namespace wintest
