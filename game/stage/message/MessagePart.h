#pragma once
// What the message window's parts share: the game and the owner they were made for,
// and the waiting mark that the text part and the balloons turn while a line is up.
#include <cstdint>

#include "engine/draw/CellImage.h"
#include "engine/draw/SceneBase.h"

class CGameMain;
class CImagePlane;

class CMessagePart : public CSceneBase, public CSceneObjectBase {
public:
    // Neither pointer is owned; both may be null.
    CMessagePart(CGameMain* game, CSceneBase* owner) : m_Game(game), m_Owner(owner) {}
    CGameMain* GetGame() const { return m_Game; }
    CSceneBase* GetOwner() const { return m_Owner; }

private:
    CGameMain* m_Game;
    CSceneBase* m_Owner;
};

// A small animation of 6 cells in one row, a new cell every 9 steps while it is on.
class CWaitingMark {
public:
    static constexpr int32_t kColumns = 6;
    static constexpr int32_t kPeriod = 9;

    // The picture is not owned; an empty one leaves the mark without cells.
    void SetCells(CImagePlane* picture);
    void SetOn(bool on) { m_On = on; }
    bool IsOn() const { return m_On; }
    int32_t GetFrame() const { return m_Frame; }
    void Step();
    // The current cell at (x, y), when the mark is on and has cells.
    void Draw(int32_t x, int32_t y) const;

private:
    CCellImage m_Cells;
    bool m_On = false;
    int32_t m_Frame = 0;
    int32_t m_Timer = 0;
};
