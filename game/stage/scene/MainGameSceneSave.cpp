#include "game/stage/scene/MainGameScene.h"

#include "engine/base/Log.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"

namespace {

// The balloon settings as the stage record keeps them.
std::vector<int32_t> PackBalloon(const SBalloonState& s) {
    return {s.shape, s.closeOnAdvance, s.advanced, s.voiced,   s.revealStep, s.timed,    s.interval,
            s.x,     s.y,              s.inEffect, s.inFrames, s.outEffect,  s.outFrames};
}

SBalloonState UnpackBalloon(const std::vector<int32_t>& v) {
    SBalloonState s;
    if (v.size() < 13) return s;
    s.shape = v[0];
    s.closeOnAdvance = v[1] != 0;
    s.advanced = v[2] != 0;
    s.voiced = v[3] != 0;
    s.revealStep = v[4];
    s.timed = v[5] != 0;
    s.interval = v[6];
    s.x = v[7];
    s.y = v[8];
    s.inEffect = v[9];
    s.inFrames = v[10];
    s.outEffect = v[11];
    s.outFrames = v[12];
    return s;
}

}  // namespace

void CMainGameScene::_StoreBalloon(int32_t index) {
    SBalloonRecord* record = m_Record.GetBalloon(index);
    SBalloonState* state = m_Message.GetBalloon(index);
    if (record && state) record->settings = PackBalloon(*state);
}

// ---- reset, save, restore ----

void CMainGameScene::ResetStage() {
    m_Message.Reset();
    for (int32_t b = 0; b < CMessageWindow::kBalloonCount; ++b) CloseBalloonAtOnce(b);
    m_Window->RequestCloseNow();
    m_Record.m_WindowShown = 0;
    CSoundBank* bank = m_Game ? &m_Game->GetSoundBank() : nullptr;
    for (int32_t g = 0; g < CStageSnapshot::kSoundGroups; ++g) {
        // Music slot 0 plays on between events.
        for (int32_t s = g == CStageSound::kGroupMusic ? 1 : 0; s < CStageSnapshot::kSoundSlots; ++s) {
            SSoundSlotRecord* r = m_Record.GetSoundSlot(g, s);
            r->playing = 0;
            r->source.clear();
            if (bank) bank->Unload(g, s);
        }
    }
    m_Record.m_ScriptName.clear();
    m_Runner->Clear();
    ClearToBlack();
    EndScreenEffect(false);
    StopLineVoice();
    _SyncButtons();
    m_Talk->StartTransition(0, 0);
}

void CMainGameScene::ResetForRestore() {
    ResetStage();
    // The window's parts are built anew: a box left dimmed by a balloon, or a close still
    // waiting in its requests, would otherwise come back with the restored game.
    m_Window->Reset();
    m_Record.Reset();
    if (m_TurnMachine) m_TurnMachine->Reset();
}

const CStageSnapshot& CMainGameScene::SaveSnapshot() {
    m_Sound.StorePositions();
    m_Record.m_ScriptName = GetScriptName();
    m_Record.m_RecordId = static_cast<int32_t>(m_Runner->GetCurrentId());
    m_Record.m_Log.clear();
    for (size_t i = m_Window->GetLogCount(); i-- > 0;) m_Record.m_Log.push_back(*m_Window->GetLogLine(i));
    return m_Record;
}

void CMainGameScene::_MakeLayer(CTalkObjectManager& talk, const SLayerRecord& r) {
    auto arg = [&r](size_t i) { return i < r.args.size() ? r.args[i] : 0; };
    switch (r.kind) {
        case 0:
            talk.CreateImage(r.file, r.id);
            break;
        case 1:
            talk.CreateAnime(r.file, r.id, arg(0), arg(1), arg(2) != 0);
            break;
        case 2:
            talk.CreateColorFill(kScreenWidth, kScreenHeight, static_cast<uint32_t>(arg(0)), r.id);
            break;
        case 3:
            talk.CreateNoise(r.id);
            break;
        case 4:
            talk.CreateTimeBg(arg(0), r.id);
            break;
        default:
            DebugPrintf("CMainGameScene::_MakeLayer() 種類が不正です[id:%d kind:%d]", r.id, r.kind);
            return;
    }
    if (r.shown) talk.Show(r.id);
    talk.SetPosition(r.id, LayerPlacementInt(r.x), LayerPlacementInt(r.y));
    talk.SetRotation(r.id, LayerPlacementInt(r.rotation), LayerPlacementInt(r.rotationCenterX),
                     LayerPlacementInt(r.rotationCenterY));
    talk.SetScale(r.id, r.scaleX, r.scaleY, LayerPlacementInt(r.scaleCenterX), LayerPlacementInt(r.scaleCenterY));
    talk.SetAlpha(r.id, r.level);
}

void CMainGameScene::RestoreSnapshot(const CStageSnapshot& record) {
    const CStageSnapshot saved = record;
    ResetForRestore();
    m_Record = saved;
    m_Record.m_Layers.clear();
    if (!saved.m_ScriptName.empty()) StartScriptAt(saved.m_ScriptName, saved.m_RecordId);
    m_WindowShownByPlayer = true;
    m_DrawList.Show(kWindowPriority);
    if (saved.m_WindowShown) m_Window->RequestOpenNow();
    if (!saved.m_PanelPicture.empty()) m_EventPanel.SetEvent(saved.m_PanelPicture, saved.m_PanelEventId);
    StopLineVoice();
    m_Window->ClearLog();
    for (const CSaveRecordStrings& line : saved.m_Log) m_Window->AddLogLine(line);
    for (int32_t b = 0; b < CMessageWindow::kBalloonCount; ++b) {
        const SBalloonRecord& br = saved.m_Balloons[static_cast<size_t>(b)];
        SBalloonState& state = m_Message.m_Balloons[static_cast<size_t>(b)];
        state = UnpackBalloon(br.settings);
        if (!br.shown) continue;
        m_Window->SetBalloonInEffect(b, state.inEffect, state.inFrames);
        m_Window->SetBalloonOutEffect(b, state.outEffect, state.outFrames);
        m_Window->SetBalloonPosition(b, state.x, state.y);
        m_Window->SetBalloonReveal(b, state.revealStep, state.timed, state.interval);
        m_Window->SetBalloonMessage(br.line, b, state.shape);
        m_Window->BalloonShowNow(b);
    }
    for (const SLayerRecord& layer : saved.m_Layers) {
        _MakeLayer(*m_Talk, layer);
        m_Record.m_Layers.push_back(layer);
        if (layer.motionRunning) {
            m_Talk->SetMotion(layer.id, layer.motionText);
            m_Talk->PlayMotion(layer.id, layer.motionLoop != 0);
        }
    }
    if (saved.m_EffectOn && !IsSkipRefusedEffect(saved.m_EffectKind)) {
        m_Talk->StartScreenEffect(saved.m_EffectKind);
    } else {
        m_Record.m_EffectOn = 0;
    }
    m_Sound.RestartPlaying();
    m_CancelLock = false;
    m_SkipStopLock = false;
}
