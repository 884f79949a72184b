#pragma once

// Decides which input ends the full-screen saver: a key that is not a system key, the left or
// right button, or a mouse move to a position other than the first one seen. The first move is
// only recorded, because a window that appears under the pointer is told where the pointer is.
class SaverInput {
public:
    // systemKey: Alt, F10 or any key with Alt held, which the saver leaves to the system.
    bool OnKeyDown(bool systemKey) const { return !systemKey; }
    // 1 left, 2 middle, 3 right.
    bool OnButtonDown(int button) const { return button == 1 || button == 3; }
    bool OnMouseMove(int x, int y);

private:
    int m_nFirstX = -1;
    int m_nFirstY = -1;
};
