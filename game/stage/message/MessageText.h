#pragma once
// The message window's text part: the speaker's name on a text plane at (36, 438), the
// line in a text object at (36, 464), and the waiting mark that turns at (748, 513)
// while the line is up.
#include <cstdint>
#include <string>

#include "engine/draw/CellImage.h"
#include "engine/draw/SceneBase.h"
#include "engine/draw/TextObject.h"
#include "engine/draw/TextPlane.h"

class CGameMain;

class CMessageText : public CSceneBase, public CSceneObjectBase {
public:
    static constexpr int32_t kNameX = 36;
    static constexpr int32_t kNameY = 438;
    static constexpr int32_t kTextX = 36;
    static constexpr int32_t kTextY = 464;
    static constexpr int32_t kMarkX = 748;
    static constexpr int32_t kMarkY = 513;
    static constexpr int32_t kMarkColumns = 6;
    static constexpr int32_t kMarkPeriod = 9;
    static constexpr int32_t kFontSize = 22;
    static constexpr int32_t kStyle = 8;  // shadowed

    CMessageText(CGameMain* game, CSceneBase* owner);

    // The name on the plane and the text laid out at its place, not yet revealed.
    void SetLine(const std::string& name, const std::string& text);
    // The name alone (the text object keeps what it has).
    void SetName(const std::string& name);
    void SetMarkCells(CImagePlane* picture);
    void SetMark(bool on) { m_MarkOn = on; }
    bool IsMarkOn() const { return m_MarkOn; }
    int32_t GetMarkFrame() const { return m_MarkFrame; }
    CTextObject& GetTextObject() { return m_Text; }
    CTextPlane& GetNamePlane() { return m_Name; }
    CGameMain* GetGame() const { return m_Game; }
    CSceneBase* GetOwner() const { return m_Owner; }

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

private:
    CGameMain* m_Game;
    CSceneBase* m_Owner;
    CTextPlane m_Name;
    CTextObject m_Text;
    CCellImage m_Mark;
    bool m_MarkOn = false;
    int32_t m_MarkFrame = 0;
    int32_t m_MarkTimer = 0;
};
