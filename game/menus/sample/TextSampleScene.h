#pragma once
// Scene 28, a developer screen: the text object's display effects ten at a time, one
// line per effect number in two columns of five; the left and right arrow keys page
// through the effect numbers by tens.  Numbers past the last effect are passed on
// as they are (the text object shows them plainly).
#include <array>
#include <cstdint>

#include "engine/draw/SceneBase.h"
#include "engine/draw/TextObject.h"
#include "engine/draw/TextPlane.h"

class CGameMain;

class CTextSampleScene : public CSceneBase, public CSceneObjectBase {
public:
    static constexpr int32_t kLines = 10;

    explicit CTextSampleScene(CGameMain& game);
    ~CTextSampleScene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // Every line again with effects 10 × page to 10 × page + 9.
    void RefreshTexts();

    int32_t GetEffectPage() const { return m_EffectPage; }
    CTextObject& GetLine(int32_t i) { return m_Texts[static_cast<size_t>(i)]; }

private:
    CGameMain& m_Game;
    CTextPlane m_CaptionPlane;
    std::array<CTextObject, kLines> m_Texts;
    int32_t m_EffectPage = 0;
};
