#pragma once
// The base of the settings menu's pages.  A page slides in from the right (800 → 0)
// and out to the left (0 → -800) on an accelerating counter, takes clicks only while
// shown, and when its slide-out ends the menu's page list drops it.
#include <cstdint>
#include <span>

#include "engine/base/Counter.h"
#include "engine/base/Matrix.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneBase.h"

class CButton;
class CGameMain;
class CSystemData;
class CSystemMenuScene;

class CMenuPage : public CSceneBase {
public:
    enum EState : int32_t { STATE_HIDDEN = 0, STATE_SLIDING_IN = 1, STATE_SHOWN = 2, STATE_SLIDING_OUT = 3 };
    static constexpr int32_t kSlideDistance = 800;
    static constexpr int32_t kSlideSteps = -20;
    static constexpr SPoint kBackgroundAt{0, 88};

    CMenuPage(CSystemMenuScene& owner, int32_t id);

    virtual void SlideIn();
    virtual void Shown();
    virtual void SlideOut();
    virtual void Hidden();
    // Sets the buttons from the live settings, then applies the volumes (and the
    // screen mode).
    virtual void Refresh() {}
    // What the menu's defaults button asks of an open page.
    virtual void RefreshForDefaults() { Refresh(); }

    // Nothing in state 0; else the background at its place and the page's own buttons,
    // through the page's translation (identity once shown).
    void Draw() override;
    // The page's own buttons take their pictures again.
    void OnDeviceRestored() override;

    int32_t GetId() const { return m_Id; }
    int32_t GetState() const { return m_State; }
    int32_t GetOffsetX() const { return m_Slide.GetValue(); }

protected:
    CGameMain& Game();
    CSystemData& Settings();
    // In states 1 and 3: one step of the slide; Shown or Hidden once every counter of
    // the page has finished.
    void StepSlide();
    // A page with a second counter steps it here and reports whether it has finished.
    virtual bool _StepExtraSlide() { return true; }
    // The pointer and the decide press to every button, then their step.
    void FeedButtons(std::span<CButton> buttons);
    // The buttons of the page's own row (option, test or switch buttons).
    virtual std::span<CButton> Buttons() { return {}; }
    bool IsDrawn() const { return m_State != STATE_HIDDEN; }
    bool TakesClicks() const { return m_State == STATE_SHOWN; }
    void DrawBackground();
    void DrawButtons(std::span<CButton> buttons);
    const CMatrix4& Transform() const { return m_Transform; }

    CSystemMenuScene& m_Owner;
    CImagePlane m_Background;
    SPoint m_BackgroundAt = kBackgroundAt;

private:
    int32_t m_Id;
    int32_t m_State = STATE_HIDDEN;
    CMatrix4 m_Transform;
    CCounterAccel m_Slide;
};
