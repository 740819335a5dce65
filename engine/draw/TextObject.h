#pragma once
// A text line shown over time: the text is laid out on the font's cell grid at a
// position, and its characters are revealed a few at a time.  Every character is a
// small picture of its glyph animated by a motion effect of its own, made by the
// display effect number through the motion factory (1 to 37 the numbered effects,
// any other number the plain effect, which just shows the character).
//
// Timing, all counted in frames (calls of Update):
// - Characters per step n and the interval t: Start reveals the first n characters
//   at once, then n more every t frames (every frame when the timed reveal is off or
//   t is 0).  n = 0 reveals the whole text at once.
// - The display parameters (effect frames L, character gap g) are the settings of a
//   display effect in one call: each character's effect plays over L frames, and the
//   characters come one every g frames (n = 1, timed, t = g).  Calls of
//   SetCharsPerStep and SetRevealTiming after it change the reveal again.
// - Revealing lasts until every character is out and every effect has played: a
//   text of c characters with n = 1 and interval g reveals its last character
//   (c − 1) × g frames after Start and stops revealing when that character's effect
//   has run, L frames later for the numbered effects (one frame for the plain
//   effect, which only shows its character).  With L = 0 the characters appear
//   plainly, without an effect.  Then the finished text is held (shown, active)
//   until Close, Stop or Clear.
// - Close plays every character's effect backwards; once they have all gone the text
//   is idle again (not active, nothing drawn), keeping its string for another Start.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/adv/MotionFactory.h"
#include "engine/draw/Font.h"
#include "engine/draw/SceneBase.h"
#include "engine/draw/TextLayout.h"

class CImagePlane;

class CTextObject : public CSceneBase {
public:
    enum EState : int32_t { STATE_IDLE = 0, STATE_REVEALING = 1, STATE_SHOWN = 2, STATE_CLOSING = 3 };

    CTextObject();
    ~CTextObject() override;
    CTextObject(const CTextObject&) = delete;
    CTextObject& operator=(const CTextObject&) = delete;

    // --- settings ---
    CFont& GetFont() { return m_Font; }
    void SetPosition(int32_t x, int32_t y);
    int32_t GetX() const { return m_X; }
    int32_t GetY() const { return m_Y; }
    // The display effect of the characters revealed from now on (negative counts as 0).
    void SetDisplayEffect(int32_t effect);
    int32_t GetDisplayEffect() const { return m_Effect; }
    void SetDisplayParams(int32_t effectFrames, int32_t charGap);
    int32_t GetEffectFrames() const { return m_EffectFrames; }
    // Characters per reveal step; 0 shows the whole text at once.  Negative counts as 0.
    void SetCharsPerStep(int32_t chars);
    int32_t GetCharsPerStep() const { return m_CharsPerStep; }
    // The timed reveal switch and its interval in frames (negative counts as 0).
    void SetRevealTiming(bool timed, int32_t interval);
    void SetInterval(int32_t interval) { SetRevealTiming(true, interval); }
    bool IsTimed() const { return m_Timed; }
    int32_t GetInterval() const { return m_Interval; }
    // Text style (8: shadowed, see ETextStyle) and colour 0xAARRGGBB: the letters take
    // the colour, the alpha multiplies the object's alpha.
    void SetStyle(int32_t style);
    void SetColour(uint32_t argb);
    uint32_t GetColour() const { return m_Colour; }
    void SetAlpha(int32_t alpha);  // held to 0..255
    int32_t GetAlpha() const { return m_Alpha; }
    // The motion factory (not owned, and it must outlive the object's effects); null
    // goes back to the object's own CTalkMotionFactory.
    void SetMotionFactory(IMotionFactory* factory);

    // --- text ---
    // Takes and lays out the text; a running display stops (back to idle).
    void SetText(const std::string& text);
    const std::string& GetText() const { return m_Text; }
    // The laid-out text's size in pixels (0 × 0 for an empty text).
    void GetSize(int32_t* width, int32_t* height);
    const STextLayout& GetLayout();
    size_t GetCharCount();
    size_t GetRevealedCount() const { return m_Revealed; }

    // --- display ---
    // Starts revealing from the first character (from any state).
    void Start();
    // Back to idle with nothing shown; the text stays for another Start.
    void Stop();
    // Ready to reveal again from the start: the same as Stop.
    void Restart() { Stop(); }
    // Shows the whole text at once, every effect at its end (from idle it starts first).
    void Complete();
    // The closing operation: every shown character's effect plays backwards.
    void Close();
    // Stop, and the text is dropped.
    void Clear();
    void Show() { m_Visible = true; }
    void Hide() { m_Visible = false; }
    bool IsVisible() const { return m_Visible; }

    // --- queries ---
    int32_t GetState() const { return m_State; }
    // Running or showing its finished text (revealing, shown or closing).
    bool IsActive() const { return m_State != STATE_IDLE; }
    bool IsBusy() const { return IsActive(); }
    // Characters still appearing (or their effects still playing).
    bool IsRevealing() const { return m_State == STATE_REVEALING; }
    // The finished text is held on screen.
    bool IsHolding() const { return m_State == STATE_SHOWN; }
    bool IsClosing() const { return m_State == STATE_CLOSING; }

    // --- scene operations ---
    void Update() override;
    void Draw() override;
    // Pictures are made again from the text.
    void OnDeviceRestored() override;

private:
    struct SCell;

    void _Relayout();
    bool _EnsureCells();
    void _BuildCell(SCell& cell, const STextChar& c);
    void _RevealNext(size_t count);
    void _PlaceCells();
    int32_t _EffectiveAlpha() const;

    CFont m_Font;
    uint32_t m_FontGeneration = ~0u;
    CTalkMotionFactory m_OwnFactory;
    IMotionFactory* m_Factory = nullptr;

    int32_t m_X = 0;
    int32_t m_Y = 0;
    int32_t m_Effect = 0;
    int32_t m_EffectFrames = 0;
    int32_t m_CharsPerStep = 1;
    bool m_Timed = false;
    int32_t m_Interval = 0;
    int32_t m_Style = 0;
    uint32_t m_Colour = 0xFFFFFFFFu;
    int32_t m_Alpha = 255;
    bool m_Visible = true;

    std::string m_Text;
    STextLayout m_Layout;
    bool m_LayoutValid = false;
    std::vector<SCell> m_Cells;
    bool m_CellsValid = false;

    int32_t m_State = STATE_IDLE;
    size_t m_Revealed = 0;
    int32_t m_Timer = 0;
};
