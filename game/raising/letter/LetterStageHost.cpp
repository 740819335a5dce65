#include "game/raising/letter/LetterStageHost.h"

#include "game/core/SaveRecordStrings.h"
#include "game/stage/scene/MainGameScene.h"

void CLetterStageHost::ClearToBlackAlt() { m_Stage->ClearToBlackAlt(); }
// A picture is made hidden: shown on the side of the change, it comes in with the change.
void CLetterStageHost::ShowLayerImageAlt(int32_t layer, const std::string& file) {
    m_Stage->ShowLayerImageAlt(layer, file);
    m_Stage->ShowLayer(layer);
}
void CLetterStageHost::StartScreenChange(int32_t kind, int32_t frames) { m_Stage->StartScreenChange(kind, frames); }
void CLetterStageHost::StartScreenChangeAlt(int32_t kind, int32_t frames) { m_Stage->StartScreenChangeAlt(kind, frames); }
bool CLetterStageHost::IsScreenChangeRunning() const { return m_Stage->IsScreenChangeRunning(); }
void CLetterStageHost::FinishScreenChange() { m_Stage->FinishScreenChange(); }
void CLetterStageHost::SetMessageOff() { m_Stage->SetMessageOff(); }
void CLetterStageHost::ShowMessage(const std::string& speaker, const std::string& text) {
    m_Stage->ShowMessage(CSaveRecordStrings(speaker, text, ""));
}
void CLetterStageHost::PlaySound(int32_t g, int32_t s, const std::string& list) { m_Stage->PlaySound(g, s, list); }
void CLetterStageHost::SetSlotVolume(int32_t g, int32_t s, int32_t volume) { m_Stage->SetSlotVolume(g, s, volume); }
void CLetterStageHost::SetSlotPan(int32_t g, int32_t s, int32_t pan) { m_Stage->SetSlotPan(g, s, pan); }
void CLetterStageHost::PlaySlot(int32_t g, int32_t s, int32_t once, int32_t fadeInMs) { m_Stage->PlaySlot(g, s, once, fadeInMs); }
void CLetterStageHost::StopSlot(int32_t g, int32_t s, int32_t fadeMs) { m_Stage->StopSlot(g, s, fadeMs); }
bool CLetterStageHost::IsSkipping() const { return m_Stage->IsSkipping(); }
bool CLetterStageHost::GetScriptEndFlag() const { return m_Stage->GetScriptEndFlag(); }
void CLetterStageHost::EndMonth() { m_Stage->EndMonth(); }
