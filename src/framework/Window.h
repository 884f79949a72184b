#pragma once

#include <windows.h>

#include <string>

// A window whose messages go to a C++ object. The object is attached while the window is created,
// or to an existing control by subclassing it, and detached when the window is destroyed; it
// never deletes itself.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // A class registered on demand for the given look, named after it, as all windows of that look
    // can share one class. Returns the class name; the same arguments give the same class.
    static std::string RegisterWindowClass(UINT style, HCURSOR cursor, HBRUSH background,
                                           HICON icon);
    // The class for plain windows: double clicks, arrow cursor, no background.
    static const std::string& DefaultClass();
    // The object attached to a window, or null.
    static Window* FromHandle(HWND hwnd);

    bool CreateEx(DWORD exStyle, const std::string& className, const char* title, DWORD style,
                  const RECT& rect, HWND parent, UINT_PTR id = 0);
    // Takes over a dialog's control: its messages come here first and go on to the control's own
    // procedure through Default.
    bool SubclassDlgItem(int id, HWND parent);
    void DestroyWindow();

    // Owner drawing, reflected here by the parent dialog.
    virtual void OnDrawItem(const DRAWITEMSTRUCT&) {}
    virtual void OnMeasureItem(MEASUREITEMSTRUCT&) {}

    // When set, destroying this window ends the thread's message loop.
    bool m_bQuitOnDestroy = false;
    HWND m_hWnd = nullptr;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once a control has been taken over, for set-up that needs its handle.
    virtual void OnSubclassed() {}

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();

    // The control's own procedure while subclassed; null for windows made here.
    WNDPROC m_pSuperProc = nullptr;
};
