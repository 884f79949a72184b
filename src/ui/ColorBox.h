#pragma once

#include "framework/Window.h"

// A rectangle filled with one colour: the selected stop's.
class ColorBox : public Window {
public:
    void SetColor(COLORREF color);
    COLORREF Color() const { return m_crColor; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COLORREF m_crColor = 0;
};
