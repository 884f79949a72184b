#pragma once

#include "framework/Window.h"

// An owner-drawn push button with a small icon beside its text. In toggle mode it acts on release
// inside the button and flips its state; in push mode it acts at once on mouse-down (for a button
// that opens a menu) and never stays down.
class IconButton : public Window {
public:
    enum Mode { Toggle = 0, Push = 1 };
    enum IconSide { IconLeft = 0, IconRight = 1 };

    IconButton(int iconId, Mode mode, IconSide side);
    ~IconButton() override;

    bool IsDown() const { return m_bDown; }
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Redraw(bool erase);
    void Act();
    void OnLButtonDown();
    void OnLButtonUp(LPARAM lParam);

    Mode m_nMode;
    IconSide m_nIconSide;
    HICON m_hIcon;
    bool m_bPressed = false;
    bool m_bDown = false;
};
