// Screen changes, backgrounds, figures, pictures on any layer and their motions.
#include <array>
#include <string>

#include "engine/d3d/Screen.h"
#include "engine/draw/TransitionMask.h"
#include "engine/image/MaskImage.h"
#include "game/core/GameMain.h"
#include "game/menus/unlock/CGViewTable.h"
#include "game/stage/command/GameCommands.h"
#include "game/stage/scene/MainGameScene.h"

namespace {

constexpr int32_t kBackground = 100;
constexpr int32_t kCentre = 200;
constexpr int32_t kRight = 300;
constexpr int32_t kLeft = 400;
constexpr int32_t kOpaque = 256;
// Figure places 0, 1, 2: centre, left, right.
constexpr std::array<int32_t, 3> kFigureLayers = {kCentre, kLeft, kRight};
// The three pictures of the time-of-day background: morning, evening, night.
constexpr std::array<const char*, 3> kTimeOfDay = {"bg\\bg13m.bmp", "bg\\bg13e.bmp", "bg\\bg13n.bmp"};

void PlaceLayer(CMainGameScene& scene, int32_t layer, int32_t rule, int32_t x, int32_t y) {
    SPoint at;
    if (CGameCommand::Place(rule, x, y, scene.GetLayerSize(layer), &at)) scene.SetLayerPos(layer, at.x, at.y);
}

// Codes 15 and 16 once the picture is made: shown now (mode 0) or brought in by the next
// screen change with its fade-in (mode 1); placed and opaque in every mode.
void FinishLayer(const CGameCommand& command, CMainGameScene& scene, const CAdvCommand& r) {
    const int32_t layer = r.Ints[3];
    if (r.Ints[4] == 0) {
        scene.ShowLayer(layer);
    } else if (r.Ints[4] == 1) {
        scene.SetLayerFadeIn(layer, r.Ints[5], command.Frames(r.Ints[6]));
        scene.ShowLayerFade(layer);
    }
    PlaceLayer(scene, layer, r.Ints[0], r.Ints[1], r.Ints[2]);
    scene.SetLayerLevel(layer, kOpaque);
}

// A picture as the background, at the corner, opaque, shown now.
void ShowBackground(CMainGameScene& scene, const std::string& file) {
    scene.ShowPicture(kBackground, file);
    scene.SetLayerPos(kBackground, 0, 0);
    scene.SetLayerLevel(kBackground, kOpaque);
    scene.ShowLayer(kBackground);
}

}  // namespace

int32_t CGameCommand09::_Run(CAdvCommand& r, CMainGameScene& scene) {
    CGameMain* game = scene.GetGame();
    // The rule picture is a Direct3D transition; the GDI renderer changes without it.
    if (!r.Strings[0].empty() && game && game->GetScreen().UsesDirect3D()) {
        CMaskImage& mask = GetTransitionMask();
        mask.LoadFromFile(r.Strings[0], CMainGameScene::kScreenWidth, CMainGameScene::kScreenHeight);
        mask.SetThreshold(r.Ints[2]);
    }
    scene.StartScreenChange(r.Ints[0], Frames(r.Ints[1]));
    return RESULT_NEXT_AND_STOP;
}

int32_t CGameCommand10::_Run(CAdvCommand& r, CMainGameScene& scene) {
    for (int32_t value = 0; value < static_cast<int32_t>(kTimeOfDay.size()); ++value) {
        if (r.Strings[0] != kTimeOfDay[static_cast<size_t>(value)]) continue;
        // Built from the value, not loaded: the shown picture is marked here.
        if (CGameMain* game = scene.GetGame()) CGViewTable::Find(*game, r.Strings[0]);
        scene.ShowTimeBackground(kBackground, value);
        return RESULT_NEXT_AND_GO;
    }
    ShowBackground(scene, r.Strings[0]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand11::_Run(CAdvCommand& r, CMainGameScene& scene) {
    ShowBackground(scene, r.Strings[0]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand12::_Run(CAdvCommand& r, CMainGameScene& scene) {
    scene.RemoveLayer(kBackground);
    scene.ShowColorFill(kBackground, OpaqueColour(r.Ints[0], r.Ints[1], r.Ints[2]));
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand13::_Run(CAdvCommand& r, CMainGameScene& scene) {
    const int32_t place = r.Ints[0];
    if (place < 0 || place > 2) return RESULT_NEXT_AND_GO;
    const int32_t layer = kFigureLayers[static_cast<size_t>(place)];
    scene.ShowPicture(layer, r.Strings[0]);
    // Centre, left and right stand as placing rules 1, 2 and 3 put them.
    PlaceLayer(scene, layer, place + 1, r.Ints[2], r.Ints[3]);
    scene.SetLayerLevel(layer, kOpaque);
    scene.ShowLayer(layer);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand14::_Run(CAdvCommand& r, CMainGameScene& scene) {
    if (r.Ints[0] >= 0 && r.Ints[0] <= 2) scene.RemoveLayer(kFigureLayers[static_cast<size_t>(r.Ints[0])]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand15::_Run(CAdvCommand& r, CMainGameScene& scene) {
    if (r.Ints[4] == 0 || r.Ints[4] == 1) scene.ShowPicture(r.Ints[3], r.Strings[0], r.Ints[4] == 1);
    FinishLayer(*this, scene, r);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand16::_Run(CAdvCommand& r, CMainGameScene& scene) {
    if (r.Ints[4] == 0 || r.Ints[4] == 1) {
        scene.ShowAnime(r.Ints[3], r.Strings[0], r.Ints[7], r.Ints[8], r.Ints[9] != 0, r.Ints[4] == 1);
    }
    FinishLayer(*this, scene, r);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand17::_Run(CAdvCommand& r, CMainGameScene& scene) {
    const int32_t layer = r.Ints[0];
    if (r.Ints[1] == 0) {
        scene.RemoveLayer(layer);
    } else if (r.Ints[1] == 1) {
        scene.SetLayerFadeOut(layer, r.Ints[2], Frames(r.Ints[3]));
        scene.HideLayerFade(layer);
    }
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand18::_Run(CAdvCommand& r, CMainGameScene& scene) {
    const int32_t layer = r.Ints[3];
    const SSize size = scene.GetLayerSize(layer);
    if (r.Ints[16] != 0) PlaceLayer(scene, layer, r.Ints[0], r.Ints[1], r.Ints[2]);
    if (r.Ints[17] != 0) {
        scene.SetLayerScale(layer, static_cast<float>(r.Ints[4]) * 0.001f, static_cast<float>(r.Ints[5]) * 0.001f,
                            r.Ints[8] != 0 ? size.cx / 2 : r.Ints[6], r.Ints[9] != 0 ? size.cy / 2 : r.Ints[7]);
    }
    if (r.Ints[18] != 0) {
        scene.SetLayerRotation(layer, r.Ints[10], r.Ints[13] != 0 ? size.cx / 2 : r.Ints[11],
                               r.Ints[14] != 0 ? size.cy / 2 : r.Ints[12]);
    }
    if (r.Ints[19] != 0) scene.SetLayerLevel(layer, r.Ints[15]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand19::_Run(CAdvCommand& r, CMainGameScene& scene) {
    scene.SetLayerMotion(r.Ints[0], r.Strings[0]);
    scene.StartLayerMotion(r.Ints[0], r.Ints[1] != 0);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand20::_Run(CAdvCommand& r, CMainGameScene& scene) {
    scene.StopLayerMotionAtEnd(r.Ints[0]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand21::_Run(CAdvCommand&, CMainGameScene& scene) {
    for (int32_t layer : {kCentre, kLeft, kRight}) scene.RemoveLayer(layer);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand22::_Run(CAdvCommand&, CMainGameScene& scene) {
    scene.ClearToBlack();
    return RESULT_NEXT_AND_GO;
}
