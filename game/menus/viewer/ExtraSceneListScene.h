#pragma once
// Scene 13, the full view of one picture-viewer entry: one unlocked picture group of
// the viewing list at a time, its main picture at the top left and its overlays at the
// places "cfg\super_sc.txt" gives them (an unlisted overlay lands at (-9999, -9999),
// off the screen).  Decide steps to the next unlocked group, wrapping round, without a
// sound; cancel plays the cancel sound and returns to the viewer.  Input is taken from
// the first frame, incoming transition or not.
#include <memory>
#include <vector>

#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneBase.h"
#include "platform/sys/Geometry.h"

class CGameMain;

class CExtraSceneListScene : public CSceneBase, public CSceneObjectBase {
public:
    static constexpr int32_t kScene = 13;
    // An overlay that cannot be read stands as a transparent plane of the screen's size.
    static constexpr int32_t kEmptyWidth = 800;
    static constexpr int32_t kEmptyHeight = 600;

    explicit CExtraSceneListScene(CGameMain& game) : m_Game(game) {}
    ~CExtraSceneListScene() override { Clear(); }

    void Load() override;
    void Update() override;
    void Draw() override;

    // Shows group `index` of the viewing list (nothing for an index it does not hold).
    void ShowRecord(int32_t index);
    void Clear();

    // The group shown; -1 before any.
    int32_t GetCurrent() const { return m_Current; }
    const std::vector<SPoint>& GetOverlayPositions() const { return m_OverlayPositions; }

private:
    CGameMain& m_Game;
    CImagePlane m_BasePlane;
    std::vector<std::unique_ptr<CImagePlane>> m_OverlayPlanes;
    std::vector<SPoint> m_OverlayPositions;
    int32_t m_Current = -1;
};
