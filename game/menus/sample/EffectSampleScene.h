#pragma once
// Scene 27, a developer screen: the 54 screen transitions played over and over
// between two pictures, A to B and back, one transition at a time chosen with the
// left and right arrow keys.  A line of sample text runs its display over and over;
// the up and down keys change its display effect.
//
// Until the first arrow key no transition has been chosen and picture A stands alone.
// The pictures reach the screen only through the transition's captures, so without
// Direct3D the screen shows the texts alone.
#include <cstdint>

#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneBase.h"
#include "engine/draw/TextObject.h"
#include "engine/draw/TextPlane.h"
#include "engine/draw/TransitionHolder.h"

class CGameMain;

class CEffectSampleScene : public CSceneBase, public CSceneObjectBase {
public:
    static constexpr int32_t kStep = 12;
    // One way takes 1024; the cycle runs 0 to 2048, 2048 included.
    static constexpr int32_t kCycle = 2 * CTransitionHolder::kProgressMax;

    explicit CEffectSampleScene(CGameMain& game);
    ~CEffectSampleScene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    int32_t GetIndex() const { return m_Index; }
    int32_t GetProgress() const { return m_Progress; }
    int32_t GetTextEffect() const { return m_TextEffect; }
    // False until an arrow key chose a transition.
    bool HasChosen() const { return m_Chosen; }
    CTextObject& GetNameText() { return m_NameText; }
    CTextObject& GetSampleText() { return m_SampleText; }
    const CTransitionHolder& GetHolder() const { return m_TransitionHolder; }

private:
    void _RestartSampleText();

    CGameMain& m_Game;
    CImagePlane m_PictureA;
    CImagePlane m_PictureB;
    CTransitionHolder m_TransitionHolder;
    CTextPlane m_CaptionPlane;
    CTextObject m_NameText;
    CTextObject m_SampleText;
    int32_t m_Index = 0;
    int32_t m_Progress = 0;
    int32_t m_TextEffect = 0;
    bool m_Chosen = false;
};
