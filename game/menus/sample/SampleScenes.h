#pragma once
// What the three developer sample scenes (27 transitions, 28 text display effects,
// 29 speech balloons) share: they are opened by id only, read the keyboard directly
// and show a caption in the bottom-left corner.
#include <cstdint>
#include <memory>
#include <string>

class CGameMain;
class CSceneBase;
class CTextPlane;

namespace sample {

constexpr int32_t kFirstSceneId = 27;
constexpr int32_t kLastSceneId = 29;
constexpr int32_t kCaptionX = 10;
constexpr int32_t kCaptionY = 580;
// The screens that show display effects (text and balloons) clear to this grey.
constexpr uint32_t kBackground = 0xFF646464u;
// One line per effect number (the text and the balloon sample).
constexpr const char* kEffectLine = "表示エフェクト%2d番なんだかんねっ!!";

// The caption at font height 16, written shadowed.
void WriteCaption(CTextPlane& plane, const std::string& text);
void DrawCaption(CTextPlane& plane);

// The page after the left (−1, never below 0) and the right (+1, no limit) arrow keys
// of this frame; `changed` tells whether either was pressed.
int32_t StepPage(CGameMain& game, int32_t page, bool* changed);

}  // namespace sample

// The scene of a sample id (27 to 29); null for any other id.
std::unique_ptr<CSceneBase> CreateSampleScene(CGameMain& game, int32_t id);
