#include "framework/WindowVisibility.h"

#include <cstring>

namespace {

// GUID_CONSOLE_DISPLAY_STATE: its data is 0 for off, 1 for on, 2 for dimmed.
constexpr GUID DisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr DWORD DisplayOff = 0;

// Looked up as the calls came with Vista, and a system without them simply never tells.
using RegisterFn = HANDLE(WINAPI*)(HANDLE, LPCGUID, DWORD);
using UnregisterFn = BOOL(WINAPI*)(HANDLE);

template <typename Fn> Fn User32(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

} // namespace

WindowVisibility::~WindowVisibility() {
    Unwatch();
}

void WindowVisibility::Watch(HWND window) {
    Unwatch();
    static const auto registerFn = User32<RegisterFn>("RegisterPowerSettingNotification");
    if (registerFn)
        m_hNotify = registerFn(window, &DisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void WindowVisibility::Unwatch() {
    static const auto unregisterFn = User32<UnregisterFn>("UnregisterPowerSettingNotification");
    if (m_hNotify && unregisterFn)
        unregisterFn(m_hNotify);
    m_hNotify = nullptr;
    m_bDisplayOn = true;
}

bool WindowVisibility::OnPowerBroadcast(WPARAM wParam, LPARAM lParam) {
    if (wParam != PBT_POWERSETTINGCHANGE || !lParam)
        return false;
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (!IsEqualGUID(setting->PowerSetting, DisplayState) || setting->DataLength < sizeof(DWORD))
        return false;
    DWORD state;
    std::memcpy(&state, setting->Data, sizeof state);
    m_bDisplayOn = state != DisplayOff;
    return true;
}

bool WindowVisibility::CanBeSeen(HWND window) const {
    return m_bDisplayOn && IsWindowVisible(window) && !IsIconic(GetAncestor(window, GA_ROOT));
}
