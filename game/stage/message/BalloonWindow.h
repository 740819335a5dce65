#pragma once
// A speech balloon: one line of text in a balloon-shaped frame anywhere on the screen.
// The frame is one shape cut out of a sheet of shapes side by side; an opening effect
// brings it in, the text is revealed, a small waiting mark turns, and closing runs the
// text's own closing, then plays the closing effect backwards.
//
// States: 0 closed, 1 opening, 2 revealing, 3 shown, 4 text closing, 5 closing.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/adv/MotionFactory.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/TextObject.h"
#include "game/stage/message/MessagePart.h"
#include "platform/sys/Geometry.h"

class CBalloonWindow : public CMessagePart {
public:
    enum EState : int32_t {
        STATE_CLOSED = 0,
        STATE_OPENING = 1,
        STATE_REVEALING = 2,
        STATE_SHOWN = 3,
        STATE_TEXT_CLOSING = 4,
        STATE_CLOSING = 5,
    };
    static constexpr int32_t kFontSize = 22;
    // Where the text box and the mark sit, from the balloon's top-left corner.
    static constexpr int32_t kTextLeft = 96;
    static constexpr int32_t kTextTop = 64;
    static constexpr int32_t kMarkLeft = 288;
    static constexpr int32_t kMarkTop = 112;

    CBalloonWindow(CGameMain* game, CSceneBase* owner);
    ~CBalloonWindow() override;
    CBalloonWindow(const CBalloonWindow&) = delete;
    CBalloonWindow& operator=(const CBalloonWindow&) = delete;

    void Update() override;
    void Draw() override;
    // The shape is cut out of the sheet again after a device reset.
    void OnDeviceRestored() override;

    // The waiting mark: the picture cut into 6 × 1 cells (not owned).
    virtual void SetMarkCells(CImagePlane* picture);
    // The sheet of `count` shapes side by side (not owned).  A sheet with no shapes is
    // kept as no sheet at all.
    virtual void SetFrameSheet(CImagePlane* sheet, int32_t count);
    // Cuts shape `index` out of the sheet: with the sheet W × H and n shapes, the
    // rectangle (W × index / n, 0) to (W × (index + 1) / n, H).  False without a sheet,
    // for −1 and for an index outside the sheet.
    virtual bool SetFrame(int32_t index);
    virtual void ClearFrame();
    virtual bool IsFrameLoaded() const { return m_Shape.IsLoaded(); }
    // A new opening (closing) effect by id, played over `frames`; closes the balloon at once.
    virtual bool SetInEffect(int32_t effectId, int32_t frames);
    virtual bool SetOutEffect(int32_t effectId, int32_t frames);
    virtual void SetText(const std::string& text);
    virtual void SetPosition(int32_t x, int32_t y);
    // Held to 0..255.
    virtual void SetAlpha(int32_t alpha);
    virtual SPoint GetPosition() const { return SPoint{m_X, m_Y}; }
    virtual int32_t GetAlpha() const { return m_Alpha; }
    virtual void Open();
    virtual void Close();
    virtual void ShowNow();
    virtual void CloseNow();
    virtual bool IsOpen() const { return m_State != STATE_CLOSED; }
    virtual bool IsChanging() const { return m_State != STATE_CLOSED && m_State != STATE_SHOWN; }
    virtual bool IsOpening() const { return m_State == STATE_OPENING || m_State == STATE_REVEALING; }
    virtual bool IsClosing() const { return m_State == STATE_TEXT_CLOSING || m_State == STATE_CLOSING; }

    void MarkOn() { m_Mark.SetOn(true); }
    void MarkOff() { m_Mark.SetOn(false); }
    bool IsMarkOn() const { return m_Mark.IsOn(); }
    // The text's reveal settings.
    void SetCharsPerStep(int32_t chars) { m_Text.SetCharsPerStep(chars); }
    void SetRevealTiming(bool timed, int32_t interval) { m_Text.SetRevealTiming(timed, interval); }
    void SetDisplayParams(int32_t effectFrames, int32_t charGap) { m_Text.SetDisplayParams(effectFrames, charGap); }

    // The names the balloon sample scene knows these by.
    bool SetFrameStyle(int32_t index) { return SetFrame(index); }
    void Reset() { CloseNow(); }
    bool IsBusy() const { return IsChanging(); }
    bool IsShown() const { return IsOpen(); }

    int32_t GetState() const { return m_State; }
    int32_t GetFrameIndex() const { return m_FrameIndex; }
    int32_t GetMarkFrame() const { return m_Mark.GetFrame(); }
    CTextObject& GetTextObject() { return m_Text; }
    const CImagePlane& GetShape() const { return m_Shape; }
    // The size of 24 full-width characters at the balloons' font, measured once a run.
    static SPoint GetTextBoxSize();

private:
    bool _SetEffect(std::unique_ptr<CMotionEffect>& slot, int32_t effectId, int32_t frames);
    void _PlaceText();
    void _AttachEffects(IImagePlane* plane);

    int32_t m_FrameIndex = -1;
    CImagePlane* m_Sheet = nullptr;
    int32_t m_ShapeCount = 0;
    CImagePlane m_Shape;
    CTextObject m_Text;
    CTalkMotionFactory m_Factory;
    std::unique_ptr<CMotionEffect> m_InEffect;
    std::unique_ptr<CMotionEffect> m_OutEffect;
    int32_t m_X = 0;
    int32_t m_Y = 0;
    int32_t m_Alpha = 255;
    int32_t m_State = STATE_CLOSED;
    CWaitingMark m_Mark;
};

// The text settings every balloon (and its measuring text) shares: the shadowed style,
// white, characters growing in (display effect 3) over 16 frames each.
void SetupBalloonText(CTextObject& text);
