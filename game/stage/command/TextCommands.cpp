// Waits, the message window, lines and speech balloons.
#include "engine/base/Log.h"
#include "game/core/SaveRecordStrings.h"
#include "game/stage/command/GameCommands.h"
#include "game/stage/message/MessageWindow.h"
#include "game/stage/scene/MainGameScene.h"

namespace {

constexpr const char* kNoVoice = "voice\\.ogg";
// Balloon reveal interval of the balloon command and the closing effect that keeps a
// balloon up while the next balloon line of a chain follows it.
constexpr int32_t kBalloonInterval = 10;
constexpr int32_t kHoldEffect = 1;
constexpr int32_t kHoldFrames = 65535;

CSaveRecordStrings LineOf(const CAdvCommand& r) {
    return CSaveRecordStrings{r.Strings[0], r.Strings[1], r.Strings[2], r.Ints[0], r.Ints[1]};
}

// The message window has balloons 0 to 10; a script's number outside them addresses none.
bool IsBalloon(int32_t n, const char* who) {
    if (n >= 0 && n < CMessageWindow::kBalloonCount) return true;
    DebugPrintf("%s 吹き出し番号が範囲外です[%d]", who, n);
    return false;
}

}  // namespace

int32_t CGameCommand02::_Run(CAdvCommand& r, CMainGameScene& scene) {
    const int32_t frames = Frames(r.Ints[0]);
    scene.SetWait(Sum(frames, 2), r.Ints[1] != 0, r.Ints[2] != 0, r.Ints[3] != 0, r.Ints[4] != 0);
    return RESULT_NEXT_AND_STOP;
}

int32_t CGameCommand03::_Run(CAdvCommand&, CMainGameScene& scene) {
    scene.SetMessageOn();
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand04::_Run(CAdvCommand&, CMainGameScene& scene) {
    scene.SetMessageOff();
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand05::_Run(CAdvCommand& r, CMainGameScene& scene) {
    CSaveRecordStrings line = LineOf(r);
    if (line.m_Voice == kNoVoice) line.m_Voice.clear();
    scene.ShowMessage(line);
    return RESULT_NEXT_AND_STOP;
}

int32_t CGameCommand06::_Run(CAdvCommand& r, CMainGameScene& scene) {
    const int32_t n = r.Ints[11];
    if (!IsBalloon(n, "CGameCommand06::Translate()")) return RESULT_NEXT_AND_STOP;
    const CSaveRecordStrings line = LineOf(r);
    const CAdvCommand* next = r.NextId != 0 ? scene.GetRunner().FindById(r.NextId) : nullptr;
    const bool continues = next && next->Code == 6;
    scene.SetBalloonTiming(n, r.Ints[6] != 0, kBalloonInterval);
    scene.GetWindow().SetBalloonDisplayParams(n, 0, 0);
    static constexpr int32_t kOffsetX[] = {180, -40, 430};
    if (r.Ints[7] >= 0 && r.Ints[7] <= 2) {
        scene.SetBalloonPosition(n, Sum(r.Ints[8], kOffsetX[r.Ints[7]]), Sum(r.Ints[9], 148));
    }
    const bool hold = continues && r.Ints[12] != 0;
    scene.SetBalloonEffects(n, r.Ints[2], Frames(r.Ints[3]), hold ? kHoldEffect : r.Ints[4],
                            hold ? kHoldFrames : Frames(r.Ints[5]));
    scene.ShowBalloon(n, r.Ints[10], line, r.Ints[12] != 0);
    return RESULT_NEXT_AND_STOP;
}

int32_t CGameCommand07::_Run(CAdvCommand& r, CMainGameScene& scene) {
    if (IsBalloon(r.Ints[0], "CGameCommand07::Translate()")) scene.CloseBalloon(r.Ints[0]);
    return RESULT_NEXT_AND_GO;
}

int32_t CGameCommand08::_Run(CAdvCommand&, CMainGameScene& scene) {
    for (int32_t n = 0; n < CMessageWindow::kBalloonCount; ++n) scene.CloseBalloon(n);
    return RESULT_NEXT_AND_GO;
}
