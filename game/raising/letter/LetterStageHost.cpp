#include "game/raising/letter/LetterStageHost.h"

#include "game/core/SaveRecordStrings.h"
#include "game/stage/scene/MainGameScene.h"

void CLetterStageHost::ClearToBlackAlt() { _Stage().ClearToBlackAlt(); }
// A picture is made hidden: shown on the side of the change, it comes in with the change.
void CLetterStageHost::ShowLayerImageAlt(int32_t layer, const std::string& file) {
    _Stage().ShowLayerImageAlt(layer, file);
    _Stage().ShowLayer(layer);
}
void CLetterStageHost::StartScreenChange(int32_t kind, int32_t frames) { _Stage().StartScreenChange(kind, frames); }
void CLetterStageHost::StartScreenChangeAlt(int32_t kind, int32_t frames) { _Stage().StartScreenChangeAlt(kind, frames); }
bool CLetterStageHost::IsScreenChangeRunning() const { return _Stage().IsScreenChangeRunning(); }
void CLetterStageHost::FinishScreenChange() { _Stage().FinishScreenChange(); }
void CLetterStageHost::SetMessageOff() { _Stage().SetMessageOff(); }
void CLetterStageHost::ShowMessage(const std::string& speaker, const std::string& text) {
    _Stage().ShowMessage(CSaveRecordStrings(speaker, text, ""));
}
void CLetterStageHost::PlaySound(int32_t g, int32_t s, const std::string& list) { _Stage().PlaySound(g, s, list); }
void CLetterStageHost::SetSlotVolume(int32_t g, int32_t s, int32_t volume) { _Stage().SetSlotVolume(g, s, volume); }
void CLetterStageHost::SetSlotPan(int32_t g, int32_t s, int32_t pan) { _Stage().SetSlotPan(g, s, pan); }
void CLetterStageHost::PlaySlot(int32_t g, int32_t s, int32_t once, int32_t fadeInMs) { _Stage().PlaySlot(g, s, once, fadeInMs); }
void CLetterStageHost::StopSlot(int32_t g, int32_t s, int32_t fadeMs) { _Stage().StopSlot(g, s, fadeMs); }
bool CLetterStageHost::IsSkipping() const { return _Stage().IsSkipping(); }
bool CLetterStageHost::GetScriptEndFlag() const { return _Stage().GetScriptEndFlag(); }
void CLetterStageHost::EndMonth() { _Stage().EndMonth(); }
