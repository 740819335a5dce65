#pragma once
// Scene 28, a developer screen: the text object's display effects ten at a time, one
// line per effect number in two columns of five; the left and right arrow keys page
// through the effect numbers by tens.  Numbers past the last effect are passed on
// as they are (the text object shows them plainly).
#include <array>
#include <cstdint>

#include "engine/draw/TextObject.h"
#include "game/menus/sample/PagedSampleScene.h"

class CTextSampleScene : public CPagedSampleScene {
public:
    static constexpr int32_t kLines = 10;

    explicit CTextSampleScene(CGameMain& game);
    ~CTextSampleScene() override;

    void OnDeviceRestored() override;
    // Every line again with effects 10 × page to 10 × page + 9.
    void RefreshTexts();

    CTextObject& GetLine(int32_t i) { return m_Texts[static_cast<size_t>(i)]; }

protected:
    void LoadItems() override;
    void ShowPage() override { RefreshTexts(); }
    void StepItems() override;
    void DrawItems() override;

private:
    std::array<CTextObject, kLines> m_Texts;
};
