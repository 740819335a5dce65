#include "game/stage/message/MessagePart.h"

#include <algorithm>

#include "engine/draw/ImagePlane.h"

void CWaitingMark::SetCells(CImagePlane* picture) {
    m_Cells.Clear();
    if (picture && picture->IsLoaded()) m_Cells.Set(picture, kColumns, 1);
}

void CWaitingMark::Step() {
    if (!m_On || ++m_Timer < kPeriod) return;
    m_Timer = 0;
    m_Frame = (m_Frame + 1) % std::max(m_Cells.GetColumns(), 1);
}

void CWaitingMark::Draw(int32_t x, int32_t y) const {
    if (m_On && m_Cells.GetPlane()) m_Cells.DrawCell(m_Frame, 0, x, y);
}
