#pragma once
// What the three developer sample scenes (27 transitions, 28 text display effects,
// 29 speech balloons) share: they are opened by id only, read the keyboard directly
// and show a caption in the bottom-left corner.
#include <cstdint>
#include <memory>
#include <string>

class CGameMain;
class CKeyboard;
class CSceneBase;
class CTextPlane;

namespace sample {

constexpr int32_t kCaptionX = 10;
constexpr int32_t kCaptionY = 580;
// The screens that show display effects (text and balloons) clear to this grey.
constexpr uint32_t kBackground = 0xFF646464u;
// One line per effect number (the text and the balloon sample).
constexpr const char* kEffectLine = "表示エフェクト%2d番なんだかんねっ!!";

// The caption at font height 16, written shadowed.
void WriteCaption(CTextPlane& plane, const std::string& text);
void DrawCaption(CTextPlane& plane);

// A number the keys count: `lessKey` takes one off (never below 0), `moreKey` adds one
// (no upper limit).  True when either key was pressed this frame.
bool StepByKeys(const CKeyboard& keys, uint32_t lessKey, uint32_t moreKey, int32_t* value);

}  // namespace sample

// The scene of a developer id (26 the letter viewer, 27 to 29 the samples); null for
// any other id.
std::unique_ptr<CSceneBase> CreateSampleScene(CGameMain& game, int32_t id);
