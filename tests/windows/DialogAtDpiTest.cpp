#include "DialogDriving.h"
#include "editor/DialogGeometry.h"
#include "framework/Dpi.h"
#include "framework/Window.h"
#include "resource.h"
#include "ui/UserMessages.h"

#include <algorithm>
#include <climits>
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

// The smallest rectangle holding every pixel added.
struct Extent {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    void Add(int x, int y) {
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
    }
};

// The text within the title bitmap, and the bitmap's height.
Extent TitleBitmapText(int& height) {
    Extent text;
    auto bitmap =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TITLE),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    height = info.bmHeight;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF ground = GetPixel(dc, 0, 0);
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x)
            if (GetPixel(dc, x, y) != ground)
                text.Add(x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return text;
}

} // namespace

// Run in prefixes set to 96 and to 192 DPI (scripts/wine-run-dpi), which say which they expect.
class DialogAtDpiTest : public ConfigDialogTest {
protected:
    void SetUp() override {
        Open();
        m_nDpi = WindowDpi(m_hDialog);
        if (const char* expected = std::getenv("LUMENKITE_EXPECT_DPI")) {
            ASSERT_EQ(m_nDpi, std::atoi(expected));
        }
    }
    int m_nDpi = 96;
};

TEST_F(DialogAtDpiTest, EveryStaticTextFitsItsControl) {
    HWND panel = m_pDialog->PanelWindow();
    // The widest values the panel shows.
    Drag(Control(panel, IDC_SPEED), 100, true);
    SendMessageA(m_hDialog, UM_FRAMERATE, 999, 0);
    std::vector<std::string> misfits;
    for (HWND root : {m_hDialog, panel})
        EnumChildWindows(root, CollectMisfit, reinterpret_cast<LPARAM>(&misfits));
    for (const std::string& misfit : misfits)
        ADD_FAILURE() << misfit << " at " << m_nDpi << " DPI";
}

TEST_F(DialogAtDpiTest, TitleTextGrowsWithTheBand) {
    int bitmapHeight = 0;
    Extent source = TitleBitmapText(bitmapHeight);
    ASSERT_GT(source.right, 0);
    SetForegroundWindow(m_hDialog);
    RedrawWindow(m_hDialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SleepPumping(300);
    RECT window = WindowRect(m_hDialog);
    int width = window.right - window.left;
    int height = ScaleForDpi(2 * bitmapHeight, m_nDpi);
    std::vector<uint32_t> pixels = CaptureScreen(window.left, window.top, width, height);
    // The band's ground colour at its left, inside the frame.
    int frameW = GetSystemMetrics(SM_CXDLGFRAME), frameH = GetSystemMetrics(SM_CYDLGFRAME);
    uint32_t ground = pixels[static_cast<size_t>(frameH + 1) * width + frameW + 1];
    int bandHeight = ScaleForDpi(bitmapHeight, m_nDpi);
    Extent shown;
    for (int y = frameH; y < frameH + bandHeight; ++y)
        for (int x = frameW; x < width - frameW; ++x)
            if (pixels[static_cast<size_t>(y) * width + x] != ground)
                shown.Add(x, y);
    EXPECT_NEAR(shown.right - shown.left, ScaleForDpi(source.right - source.left, m_nDpi), 1);
    EXPECT_NEAR(shown.bottom - shown.top, ScaleForDpi(source.bottom - source.top, m_nDpi), 1);
}

} // namespace wintest
