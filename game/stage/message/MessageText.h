#pragma once
// The message window's text part: the speaker's name on a text plane at (36, 438), the
// line in a text object at (36, 464), and the waiting mark that turns at (748, 513)
// while the line is up.
#include <cstdint>
#include <string>

#include "engine/draw/TextObject.h"
#include "engine/draw/TextPlane.h"
#include "game/stage/message/MessagePart.h"

class CMessageText : public CMessagePart {
public:
    static constexpr int32_t kNameX = 36;
    static constexpr int32_t kNameY = 438;
    static constexpr int32_t kTextX = 36;
    static constexpr int32_t kTextY = 464;
    static constexpr int32_t kMarkX = 748;
    static constexpr int32_t kMarkY = 513;
    static constexpr int32_t kFontSize = 22;
    static constexpr int32_t kStyle = 8;  // shadowed

    CMessageText(CGameMain* game, CSceneBase* owner);

    // The name on the plane and the text laid out at its place and started.
    void SetLine(const std::string& name, const std::string& text);
    // The same, shown whole at once: a line that is skipped is still read on screen.
    void ShowLineNow(const std::string& name, const std::string& text);
    // The name alone (the text object keeps what it has).
    void SetName(const std::string& name);
    void SetMarkCells(CImagePlane* picture) { m_Mark.SetCells(picture); }
    void SetMark(bool on) { m_Mark.SetOn(on); }
    bool IsMarkOn() const { return m_Mark.IsOn(); }
    int32_t GetMarkFrame() const { return m_Mark.GetFrame(); }
    CTextObject& GetTextObject() { return m_Text; }
    CTextPlane& GetNamePlane() { return m_Name; }

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

private:
    CTextPlane m_Name;
    CTextObject m_Text;
    CWaitingMark m_Mark;
};
