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
    // After the displays changed: the system may have moved the pointer off a display that went
    // away, so the next position is only recorded, like the first.
    void ForgetPosition() { m_bSeen = false; }

private:
    bool m_bSeen = false;
    int m_nFirstX = 0;
    int m_nFirstY = 0;
};
