#include "linux/SaverInput.h"

bool SaverInput::OnMouseMove(int x, int y) {
    if (!m_bSeen) {
        m_bSeen = true;
        m_nFirstX = x;
        m_nFirstY = y;
        return false;
    }
    return x != m_nFirstX || y != m_nFirstY;
}
