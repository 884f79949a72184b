// Opens the configuration dialog on this prefix's settings and saves a screenshot of each of its
// states as a BMP: the three pages (Colors with the picker in both modes, its colormap list and
// its Options menu open, and the name dialog refusing a name), the Advanced panel, and the
// full-screen preview with the shrunk dialog on top. For looking at the dialog where there is no
// display to run it on.
//   config_shots OUTPUT-PREFIX     writes OUTPUT-PREFIX-simple.bmp and so on

#include "DialogControls.h"
#include "ui/ConfigDialog.h"

#include <cstdio>
#include <functional>
#include <string>
#include <thread>

using namespace wintest;

namespace {

bool SaveScreen(const std::string& path) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<uint32_t> pixels = CaptureScreen(0, 0, width, height);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size() * 4);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&info, sizeof info, 1, out) == 1 &&
              std::fwrite(pixels.data(), 4, pixels.size(), out) == pixels.size();
    return std::fclose(out) == 0 && ok;
}

// While this thread runs a modal loop (a menu, a dialog), another waits for its window, lets
// `prepare` set it up, takes the shot and closes the window.
std::thread ShootModal(const char* className, const char* title, std::function<void(HWND)> prepare,
                       std::function<void()> shoot, UINT closeMessage, WPARAM closeParam) {
    return std::thread([=] {
        for (int i = 0; i < 250; ++i) {
            HWND window = FindWindowA(className, title);
            if (window && IsWindowVisible(window)) {
                prepare(window);
                Sleep(1500);
                shoot();
                PostMessageA(window, closeMessage, closeParam, 0);
                return;
            }
            Sleep(20);
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: config_shots OUTPUT-PREFIX\n");
        return 2;
    }
    std::string prefix = argv[1];
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    ConfigDialog dialog(nullptr);
    if (!dialog.Create())
        return 1;
    HWND hwnd = dialog.m_hWnd;
    // Room on the left for the Advanced panel.
    RECT r;
    GetWindowRect(hwnd, &r);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) * 2 / 3;
    SetWindowPos(hwnd, nullptr, x, 16, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(hwnd, SW_SHOW);
    SleepPumping(3000);

    bool ok = true;
    // Called from another thread while a menu or dialog holds this one, so it cannot pump.
    auto save = [&](const char* name) {
        std::string path = prefix + "-" + name + ".bmp";
        bool saved = SaveScreen(path);
        std::printf("%s %s\n", saved ? "saved" : "could not save", path.c_str());
        ok = ok && saved;
    };
    auto shot = [&](const char* name) {
        SleepPumping(1500);
        save(name);
    };
    shot("simple");
    ShowTab(hwnd, 1);
    shot("types");
    ShowTab(hwnd, 2);
    HWND page = GetParent(Control(hwnd, IDC_COLORMAP));
    Click(Control(page, IDC_RGB));
    shot("colors-rgb");
    Click(Control(page, IDC_HSV));
    shot("colors-hsv");
    Click(Control(page, IDC_RGB));
    SendMessageA(Control(hwnd, IDC_COLORMAP), CB_SHOWDROPDOWN, TRUE, 0);
    shot("colors-list");
    SendMessageA(Control(hwnd, IDC_COLORMAP), CB_SHOWDROPDOWN, FALSE, 0);
    // The Options button opens its menu on mouse-down and runs it in a loop of its own.
    std::thread menu = ShootModal(
        "#32768", nullptr, [](HWND) {}, [&] { save("colors-options"); }, WM_KEYDOWN, VK_ESCAPE);
    Click(Control(hwnd, IDC_OPTIONS));
    menu.join();
    std::thread name = ShootModal(
        nullptr, "Create new colormap",
        [](HWND box) {
            SendMessageA(GetDlgItem(box, IDC_COLORMAP_NAME), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>("Ice: cold"));
        },
        [&] { save("colors-name"); }, WM_COMMAND, IDCANCEL);
    SendMessageA(page, WM_COMMAND, ID_COLORMAP_NEW, 0);
    name.join();
    ShowTab(hwnd, 0);
    Click(Control(hwnd, IDC_ADVANCED));
    shot("advanced");
    Click(Control(hwnd, IDC_FULLSCREEN));
    SleepPumping(2000);
    shot("fullscreen");
    Click(Control(hwnd, IDC_FULLSCREEN));
    SendMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    PumpMessages();
    return ok ? 0 : 1;
}
