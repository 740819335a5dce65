#pragma once
// The event picture panel: the picture of the scenario event being played, slid in
// from the right edge of the screen while it fades in, with a button and a mark that
// tells whether the event was played in this game (seen), read in some game (read), or
// neither.
//
// States: 0 hidden, 1 opening, 2 shown, 3 closing.
#include <cstdint>
#include <functional>
#include <string>

#include "engine/base/Counter.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"

class CGameMain;
class CReadHistory;

class CEventPanel {
public:
    enum EState : int32_t { STATE_HIDDEN = 0, STATE_OPENING = 1, STATE_SHOWN = 2, STATE_CLOSING = 3 };
    static constexpr int32_t kPictureX = 264;
    static constexpr int32_t kMarkX = 592;
    static constexpr int32_t kMarkY = 8;
    static constexpr int32_t kButtonX = 272;
    static constexpr int32_t kButtonY = 8;
    static constexpr int32_t kSlideSteps = 15;
    static constexpr int32_t kDrop = 15;  // how low the panel starts and ends its slide

    // The script name of an event id; empty when there is none.
    using EventNameSource = std::function<std::string(int32_t id)>;

    // The game may be null: the read history is then none until one is set.
    explicit CEventPanel(CGameMain* game);

    // Where event names come from (the event table); none gives empty names.
    void SetEventNameSource(EventNameSource source) { m_NameSource = std::move(source); }
    // The read history of the read mark (not owned; null: nothing was read).
    void SetReadHistory(const CReadHistory* history) { m_ReadHistory = history; }

    // Drops the old event, then loads the picture and the panel's own pictures.  False
    // when the picture cannot be loaded (the panel then draws nothing).
    bool SetEvent(const std::string& picture, int32_t eventId);
    void Release();
    void Open();
    void Close();
    void ShowNow() { m_State = STATE_SHOWN; }
    void HideNow() { m_State = STATE_HIDDEN; }
    bool IsOpen() const { return m_State == STATE_OPENING || m_State == STATE_SHOWN; }
    bool IsLoaded() const { return m_Picture.IsLoaded(); }
    int32_t GetState() const { return m_State; }
    int32_t GetEventId() const { return m_EventId; }
    const std::string& GetEventName() const { return m_EventName; }
    // The slide's place and the fade now.
    SPoint GetSlide() const { return SPoint{m_SlideX.GetValue(), m_SlideY.GetValue()}; }
    int32_t GetFade() const { return m_Fade.GetValue(); }

    void Step();
    // Only while shown does the button see the cursor and the press.
    void SetCursor(int32_t x, int32_t y, bool press);
    void Draw();
    void OnDeviceRestored();

    // The button, for the stage's press handling.
    bool IsButtonHoverBegan() const { return m_Button.HoverBegan(); }
    bool IsButtonClicked() const { return m_Button.IsClicked(); }
    bool IsButtonPointerOver() const { return m_Button.IsPointerOver(); }
    CImageButton& GetButton() { return m_Button; }

    // Played in the running game: the id, or another id of its group, is in the
    // status record's list of played events.
    static bool IsEventSeen(int32_t eventId);
    // Which mark the panel shows: 1 seen, 2 read, 0 neither.
    int32_t GetMarkKind() const;
    CGameMain* GetGame() const { return m_Game; }

private:
    CGameMain* m_Game;
    EventNameSource m_NameSource;
    const CReadHistory* m_ReadHistory = nullptr;
    int32_t m_EventId = 0;
    std::string m_EventName;
    int32_t m_State = STATE_HIDDEN;
    CCounterLinear m_Fade;
    CCounterLinear m_SlideX;
    CCounterLinear m_SlideY;
    CImagePlane m_Picture;
    CImagePlane m_ButtonPicture;
    CImageButton m_Button;
    CImagePlane m_MarkPicture;
    CCellImage m_MarkCells;
    CImagePlane m_ReadMark;
};
