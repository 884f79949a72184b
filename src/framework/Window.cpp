#include "framework/Window.h"

#include <cstdio>

namespace {

const char* const ObjectProperty = "LumenkiteWindowObject";

} // namespace

Window::~Window() {
    // A control taken over belongs to its dialog: give it back rather than destroy it.
    if (m_pSuperProc)
        Detach();
    else
        DestroyWindow();
}

std::string Window::RegisterWindowClass(UINT style, HCURSOR cursor, HBRUSH background, HICON icon) {
    char name[96];
    std::snprintf(name, sizeof name, "Lumenkite:%x:%llx:%llx:%llx", style,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(cursor)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(background)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(icon)));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, name, &wc))
        return name;
    wc.style = style;
    wc.lpfnWndProc = StaticWindowProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}

const std::string& Window::DefaultClass() {
    static const std::string name =
        RegisterWindowClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
    return name;
}

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropA(hwnd, ObjectProperty)) : nullptr;
}

bool Window::CreateEx(DWORD exStyle, const std::string& className, const char* title, DWORD style,
                      const RECT& rect, HWND parent, UINT_PTR id) {
    HWND hwnd = CreateWindowExA(exStyle, className.c_str(), title, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr), this);
    return hwnd != nullptr;
}

bool Window::SubclassDlgItem(int id, HWND parent) {
    HWND hwnd = GetDlgItem(parent, id);
    if (!hwnd || m_hWnd || FromHandle(hwnd))
        return false;
    m_hWnd = hwnd;
    SetPropA(hwnd, ObjectProperty, this);
    m_pSuperProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::StaticWindowProc)));
    OnSubclassed();
    return true;
}

void Window::Detach() {
    if (!m_hWnd)
        return;
    if (m_pSuperProc)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pSuperProc));
    RemovePropA(m_hWnd, ObjectProperty);
    m_hWnd = nullptr;
}

void Window::DestroyWindow() {
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pSuperProc)
        return CallWindowProcA(m_pSuperProc, m_hWnd, message, wParam, lParam);
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = FromHandle(hwnd);
    if (!window && message == WM_NCCREATE) {
        window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (window) {
            window->m_hWnd = hwnd;
            SetPropA(hwnd, ObjectProperty, window);
        }
    }
    if (!window)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = window->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        window->Detach();
        if (window->m_bQuitOnDestroy)
            PostQuitMessage(0);
    }
    return result;
}
