#pragma once
// The text and balloon samples: a caption, a page of effect numbers turned with the
// left (never below 0) and right (no upper limit) arrow keys, and the page's items
// drawn over a grey screen.
#include <cstdint>
#include <string>

#include "engine/draw/SceneBase.h"
#include "engine/draw/TextPlane.h"

class CGameMain;

class CPagedSampleScene : public CSceneBase, public CSceneObjectBase {
public:
    void Load() override;
    void Update() override;
    void Draw() override;

    int32_t GetEffectPage() const { return m_EffectPage; }

protected:
    CPagedSampleScene(CGameMain& game, const char* caption) : m_Game(game), m_Caption(caption) {}

    // Load: the items' fixed settings, before the first page is shown.
    virtual void LoadItems() = 0;
    // The page's items set up and started afresh.
    virtual void ShowPage() = 0;
    // Once an update, after the page keys.
    virtual void StepItems() = 0;
    virtual void DrawItems() = 0;

    CGameMain& m_Game;

private:
    const char* m_Caption;
    CTextPlane m_CaptionPlane;
    int32_t m_EffectPage = 0;
};
