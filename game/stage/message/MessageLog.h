#pragma once
// The message log: the 80 newest lines shown in the window, newest first, of which one
// at a time is shown in place of the current line while the log is open.
#include <cstdint>
#include <deque>

#include "engine/draw/TextObject.h"
#include "engine/draw/TextPlane.h"
#include "game/core/SaveRecordStrings.h"
#include "game/stage/message/MessagePart.h"

class CMessageLog : public CMessagePart {
public:
    static constexpr size_t kMaxLines = 80;
    static constexpr uint32_t kColour = 0xFFFFFF00u;

    CMessageLog(CGameMain* game, CSceneBase* owner);

    // Adds a line in front; the oldest goes once there are more than 80.
    void AddLine(const CSaveRecordStrings& line);
    void Clear() { m_Lines.clear(); }
    size_t GetCount() const { return m_Lines.size(); }
    // Line i, 0 the newest; null outside.
    const CSaveRecordStrings* GetLine(size_t index) const;
    bool IsOpen() const { return m_Open; }
    size_t GetIndex() const { return m_Index; }

    // The window decides whether the log may open; these only move and show.
    void Open();
    void Close();
    void Older();
    void Newer();
    CTextObject& GetTextObject() { return m_Text; }

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

private:
    void _Show(size_t index);

    std::deque<CSaveRecordStrings> m_Lines;
    bool m_Open = false;
    size_t m_Index = 0;
    CTextPlane m_Name;
    CTextObject m_Text;
};
