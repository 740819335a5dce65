#include "game/stage/message/MessageDimmer.h"

void CMessageDimmer::DrawStopped(const CMatrix4& matrix) {
    if (!m_Target) return;
    m_Target->DrawRectMatrix(SRect{0, 0, 800, 600}, m_Rect, matrix,
                             (static_cast<uint32_t>(m_Alpha) << 24) | 0xFFFFFFu);
}
