#include "game/stage/scene/MainGameScene.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/menus/unlock/CGViewTable.h"

// ---- layers ----

SLayerRecord* CMainGameScene::_LayerRecord(int32_t id) {
    for (SLayerRecord& r : m_Record.m_Layers) {
        if (r.id == id) return &r;
    }
    return nullptr;
}

const SLayerRecord* CMainGameScene::FindLayerRecord(int32_t id) const {
    for (const SLayerRecord& r : m_Record.m_Layers) {
        if (r.id == id) return &r;
    }
    return nullptr;
}

SLayerRecord& CMainGameScene::_NewLayerRecord(int32_t id, int32_t kind, const std::string& file) {
    std::erase_if(m_Record.m_Layers, [id](const SLayerRecord& r) { return r.id == id; });
    SLayerRecord& r = m_Record.m_Layers.emplace_back();
    r.id = id;
    r.kind = kind;
    r.file = file;
    // The fixed kinds draw as soon as they exist.
    r.shown = kind >= 2;
    return r;
}

void CMainGameScene::_MarkSeen(const std::string& file) {
    if (m_Game) CGViewTable::Find(*m_Game, file);
}

bool CMainGameScene::ShowPicture(int32_t id, const std::string& file, bool prepare) {
    _NewLayerRecord(id, 0, file);
    _MarkSeen(file);
    return prepare ? m_Talk->PrepareImage(file, id) : m_Talk->CreateImage(file, id);
}

bool CMainGameScene::ShowAnime(int32_t id, const std::string& file, int32_t frames, int32_t wait, bool blend,
                               bool prepare) {
    _NewLayerRecord(id, 1, file).args = {frames, wait, blend ? 1 : 0};
    _MarkSeen(file);
    return prepare ? m_Talk->PrepareAnime(file, id, frames, wait, blend)
                   : m_Talk->CreateAnime(file, id, frames, wait, blend);
}

bool CMainGameScene::ShowColorFill(int32_t id, uint32_t colour, bool prepare) {
    _NewLayerRecord(id, 2, "").args = {static_cast<int32_t>(colour)};
    return prepare ? m_Talk->PrepareColorFill(kScreenWidth, kScreenHeight, colour, id)
                   : m_Talk->CreateColorFill(kScreenWidth, kScreenHeight, colour, id);
}

bool CMainGameScene::ShowNoise(int32_t id, bool prepare) {
    _NewLayerRecord(id, 3, "");
    return prepare ? m_Talk->PrepareNoise(id) : m_Talk->CreateNoise(id);
}

bool CMainGameScene::ShowTimeBackground(int32_t id, int32_t value, bool prepare) {
    _NewLayerRecord(id, 4, "").args = {value};
    return prepare ? m_Talk->PrepareTimeBg(value, id) : m_Talk->CreateTimeBg(value, id);
}

void CMainGameScene::RemoveLayer(int32_t id) {
    std::erase_if(m_Record.m_Layers, [id](const SLayerRecord& r) { return r.id == id; });
    m_Talk->RemoveObject(id);
}

void CMainGameScene::PrepareLayerChange(int32_t id) {
    std::erase_if(m_Record.m_Layers, [id](const SLayerRecord& r) { return r.id == id; });
    m_Talk->UnprepareObject(id);
}

void CMainGameScene::ReleaseAllLayers() {
    m_Record.m_Layers.clear();
    m_Talk->RemoveAllObjects();
}

void CMainGameScene::ClearToBlack() {
    ReleaseAllLayers();
    ShowColorFill(kBackgroundLayer, kBlack);
}

void CMainGameScene::ClearToBlackAlt() {
    m_Record.m_Layers.clear();
    m_Talk->UnprepareAllObjects();
    ShowColorFill(kBackgroundLayer, kBlack, true);
}

void CMainGameScene::SetTalkLayerOn(bool on) { on ? m_DrawList.Show(kTalkPriority) : m_DrawList.Hide(kTalkPriority); }

void CMainGameScene::SetLayerPos(int32_t id, int32_t x, int32_t y) {
    if (SLayerRecord* r = _LayerRecord(id)) {
        r->x = static_cast<float>(x);
        r->y = static_cast<float>(y);
    }
    m_Talk->SetPosition(id, x, y);
}

void CMainGameScene::SetLayerScale(int32_t id, float sx, float sy, int32_t cx, int32_t cy) {
    if (SLayerRecord* r = _LayerRecord(id)) {
        r->scaleX = sx;
        r->scaleY = sy;
        r->scaleCenterX = static_cast<float>(cx);
        r->scaleCenterY = static_cast<float>(cy);
    }
    m_Talk->SetScale(id, sx, sy, cx, cy);
}

void CMainGameScene::SetLayerRotation(int32_t id, int32_t angle, int32_t cx, int32_t cy) {
    if (SLayerRecord* r = _LayerRecord(id)) {
        r->rotation = static_cast<float>(angle);
        r->rotationCenterX = static_cast<float>(cx);
        r->rotationCenterY = static_cast<float>(cy);
    }
    m_Talk->SetRotation(id, angle, cx, cy);
}

void CMainGameScene::SetLayerLevel(int32_t id, int32_t level) {
    if (SLayerRecord* r = _LayerRecord(id)) r->level = level;
    m_Talk->SetAlpha(id, level);
}

SSize CMainGameScene::GetLayerSize(int32_t id) const { return m_Talk->GetSize(id); }

std::string CMainGameScene::GetLayerFile(int32_t id) const {
    const SLayerRecord* r = FindLayerRecord(id);
    return r ? r->file : std::string();
}

void CMainGameScene::SetLayerFadeIn(int32_t id, int32_t kind, int32_t frames) { m_Talk->SetInEffect(id, kind, frames); }

void CMainGameScene::SetLayerFadeOut(int32_t id, int32_t kind, int32_t frames) {
    m_Talk->SetOutEffect(id, kind, frames);
}

void CMainGameScene::ShowLayerFade(int32_t id) {
    if (SLayerRecord* r = _LayerRecord(id)) r->shown = 1;
    _EffectsOn() ? m_Talk->StartIn(id) : m_Talk->Show(id);
}

void CMainGameScene::ShowLayer(int32_t id) {
    if (SLayerRecord* r = _LayerRecord(id)) r->shown = 1;
    m_Talk->Show(id);
}

void CMainGameScene::HideLayerFade(int32_t id) {
    if (SLayerRecord* r = _LayerRecord(id)) r->shown = 0;
    _EffectsOn() ? m_Talk->StartOut(id) : m_Talk->Hide(id);
}

void CMainGameScene::HideLayer(int32_t id) {
    if (SLayerRecord* r = _LayerRecord(id)) r->shown = 0;
    m_Talk->Hide(id);
}

void CMainGameScene::ClearLayerMotion(int32_t id) {
    if (SLayerRecord* r = _LayerRecord(id)) {
        r->motionText.clear();
        r->motionRunning = 0;
        r->motionValues.clear();
    }
    m_Talk->ClearMotion(id);
}

void CMainGameScene::SetLayerMotion(int32_t id, const std::string& text) {
    if (SLayerRecord* r = _LayerRecord(id)) {
        r->motionText = text;
        // Where the motion ends, from the values it starts at.
        SPoint pos{LayerPlacementInt(r->x), LayerPlacementInt(r->y)};
        int32_t alpha = r->level;
        float sx = r->scaleX, sy = r->scaleY;
        SPoint scaleCentre{LayerPlacementInt(r->scaleCenterX), LayerPlacementInt(r->scaleCenterY)};
        int32_t angle = LayerPlacementInt(r->rotation);
        SPoint rotCentre{LayerPlacementInt(r->rotationCenterX), LayerPlacementInt(r->rotationCenterY)};
        m_Talk->ParseMotion(id, text, SMotionOut{&pos, &alpha, &sx, &sy, &scaleCentre, &angle, &rotCentre});
        r->motionValues = {pos.x,         pos.y,   alpha,       std::bit_cast<int32_t>(sx), std::bit_cast<int32_t>(sy),
                           scaleCentre.x, scaleCentre.y, angle, rotCentre.x,                rotCentre.y};
    }
    m_Talk->SetMotion(id, text);
}

void CMainGameScene::StartLayerMotion(int32_t id, bool loop) {
    if (SLayerRecord* r = _LayerRecord(id)) {
        r->motionRunning = 1;
        r->motionLoop = loop;
    }
    m_Talk->PlayMotion(id, loop);
    if (!_EffectsOn()) StopLayerMotionAtEnd(id);
}

void CMainGameScene::StopLayerMotion(int32_t id) {
    m_Talk->StopMotion(id);
    SLayerRecord* r = _LayerRecord(id);
    if (!r) return;
    r->motionRunning = 0;
    const SLayerRecord saved = *r;
    m_Talk->SetPosition(id, LayerPlacementInt(saved.x), LayerPlacementInt(saved.y));
    m_Talk->SetScale(id, saved.scaleX, saved.scaleY, LayerPlacementInt(saved.scaleCenterX),
                     LayerPlacementInt(saved.scaleCenterY));
    m_Talk->SetRotation(id, LayerPlacementInt(saved.rotation), LayerPlacementInt(saved.rotationCenterX),
                        LayerPlacementInt(saved.rotationCenterY));
    m_Talk->SetAlpha(id, saved.level);
}

void CMainGameScene::StopLayerMotionAtEnd(int32_t id) {
    m_Talk->StopMotion(id);
    SLayerRecord* r = _LayerRecord(id);
    if (!r || !r->motionRunning) return;
    r->motionRunning = 0;
    const std::vector<int32_t>& v = r->motionValues;
    if (v.size() < 10) return;
    r->x = static_cast<float>(v[0]);
    r->y = static_cast<float>(v[1]);
    r->level = v[2];
    r->scaleX = std::bit_cast<float>(v[3]);
    r->scaleY = std::bit_cast<float>(v[4]);
    r->scaleCenterX = static_cast<float>(v[5]);
    r->scaleCenterY = static_cast<float>(v[6]);
    r->rotation = static_cast<float>(v[7]);
    r->rotationCenterX = static_cast<float>(v[8]);
    r->rotationCenterY = static_cast<float>(v[9]);
}

void CMainGameScene::StartScreenEffect(int32_t kind) {
    if (IsSkipRefusedEffect(kind) && IsSkipping()) return;
    m_Record.m_EffectOn = 1;
    m_Record.m_EffectKind = kind;
    m_Talk->StartScreenEffect(kind);
}

void CMainGameScene::EndScreenEffect(bool gradual) {
    m_Record.m_EffectOn = 0;
    m_Talk->EndScreenEffect(gradual);
}

// ---- screen changes ----

void CMainGameScene::_UpdateAmbientFor(int32_t frames) {
    // Held to the 32-bit range: a script's change may be given any length.
    const int64_t ms = static_cast<int64_t>(frames) * 1000 / 60;
    m_Sound.UpdateAmbient(static_cast<int32_t>(std::clamp<int64_t>(ms, INT32_MIN, INT32_MAX)));
}

void CMainGameScene::StartScreenChange(int32_t kind, int32_t frames) {
    // The loops fade over the change the script asked for, also when the picture cuts.
    _UpdateAmbientFor(frames);
    if (IsSkipping() || !_EffectsOn()) {
        kind = 0;
        frames = 0;
    }
    m_Talk->StartTransition(kind, frames);
}

void CMainGameScene::StartScreenChangeAlt(int32_t kind, int32_t frames) {
    _UpdateAmbientFor(frames);
    m_Talk->StartTransition(kind, frames);
}

bool CMainGameScene::IsScreenChanging() const { return m_Talk->IsInTransition(); }

void CMainGameScene::FinishScreenChange() { m_Talk->EndTransition(); }
