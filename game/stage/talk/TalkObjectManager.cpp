#include "game/stage/talk/TalkObjectManager.h"

#include <algorithm>
#include <vector>

#include "game/core/GameMain.h"
#include "game/core/SystemData.h"
#include "game/stage/talk/NoiseEffect.h"
#include "game/stage/talk/TalkBg.h"
#include "game/stage/talk/TalkCgAnime.h"
#include "game/stage/talk/TalkCgImage.h"
#include "game/stage/talk/TimeOfDayBg.h"

namespace {

bool IsEven(int32_t key) { return key % 2 == 0; }

}  // namespace

CTalkObjectManager::CTalkObjectManager(CGameMain* game, void* owner) : m_Game(game), m_Owner(owner) { Init(); }

CTalkObjectManager::~CTalkObjectManager() {
    // The list first: it gives its objects back through the factory.
    m_Layers.reset();
    m_Factory.reset();
}

void CTalkObjectManager::Init() {
    m_Layers.reset();
    m_Factory.reset();
    m_Layers = std::make_unique<CTransitionLayerList>();
    m_Factory = std::make_unique<CTalkFactory>(this);
    m_Layers->SetFactory(m_Factory.get());
}

void CTalkObjectManager::Reset() {
    m_Layers->EndTransition();
    m_Layers->EndScreenEffect(false);
    m_Layers->RemoveAll();
}

bool CTalkObjectManager::_EffectsOn() const {
    const CSystemData* data = m_SystemData ? m_SystemData : m_Game ? &m_Game->GetSystemData() : nullptr;
    return !data || data->IsEffectsOn();
}

void CTalkObjectManager::Update() {
    // The list's switch means "effects turned off".
    m_Layers->SetScreenEffectSwitch(!_EffectsOn());
    m_Layers->Update();
}

void CTalkObjectManager::Draw() { m_Layers->Draw(); }

void CTalkObjectManager::OnDeviceRestored() { m_Layers->OnDeviceRestored(); }

// ---- creation ----

bool CTalkObjectManager::AddObject(int32_t kind, int32_t id) {
    int32_t key = 0;
    if (!CTransitionLayerList::KeyOfId(id, &key)) {
        return false;
    }
    EndTransition();
    RemoveObject(id);
    return m_Layers->Add(kind, key);
}

void CTalkObjectManager::RemoveObject(int32_t id) {
    int32_t key = 0;
    if (!CTransitionLayerList::KeyOfId(id, &key)) {
        return;
    }
    EndTransition();
    m_Layers->Remove(key);
    m_Layers->Move(key, key + 1);
}

void CTalkObjectManager::RemoveAllObjects() {
    EndTransition();
    for (int32_t key : _EvenKeys()) {
        m_Layers->Remove(key);
        m_Layers->Move(key, key + 1);
    }
}

bool CTalkObjectManager::PrepareObject(int32_t kind, int32_t id) {
    int32_t key = 0;
    if (!CTransitionLayerList::KeyOfId(id, &key)) {
        return false;
    }
    UnprepareObject(id);
    return m_Layers->AddTransition(kind, key);
}

void CTalkObjectManager::UnprepareObject(int32_t id) {
    int32_t key = 0;
    if (!CTransitionLayerList::KeyOfId(id, &key)) {
        return;
    }
    m_Layers->RemoveTransition(key);
    m_Layers->Move(key, key + 1);
}

void CTalkObjectManager::UnprepareAllObjects() {
    for (int32_t key : _EvenKeys()) {
        m_Layers->RemoveTransition(key);
        m_Layers->Move(key, key + 1);
    }
}

std::vector<int32_t> CTalkObjectManager::_EvenKeys() const {
    std::vector<int32_t> keys;
    for (size_t i = 0; i < m_Layers->GetCount(); ++i) {
        const int32_t key = m_Layers->GetKeyAt(i);
        if (IsEven(key) && std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
    }
    return keys;
}

template <typename T>
T* CTalkObjectManager::_Make(bool prepare, int32_t kind, int32_t id) {
    if (!(prepare ? PrepareObject(kind, id) : AddObject(kind, id))) {
        return nullptr;
    }
    int32_t key = 0;
    CTransitionLayerList::KeyOfId(id, &key);
    // The add (or the preparation) moved every other record of the key away: the one
    // live record left under it is the new object.
    return dynamic_cast<T*>(m_Layers->Find(key));
}

bool CTalkObjectManager::_Image(bool prepare, const std::string& file, int32_t id) {
    CTalkCgImage* image = _Make<CTalkCgImage>(prepare, TALK_KIND_IMAGE, id);
    return image && image->SetImage(file);
}

bool CTalkObjectManager::_Anime(bool prepare, const std::string& file, int32_t id, int32_t frameCount, int32_t wait,
                                bool blend) {
    CTalkCgAnime* anime = _Make<CTalkCgAnime>(prepare, TALK_KIND_ANIME, id);
    if (!anime || !anime->LoadAnime(file, frameCount, blend)) {
        return false;
    }
    anime->SetFrameWait(wait);
    return true;
}

bool CTalkObjectManager::_ColorFill(bool prepare, int32_t width, int32_t height, uint32_t colour, int32_t id) {
    CTalkBg* fill = _Make<CTalkBg>(prepare, TALK_KIND_COLOR, id);
    return fill && fill->SetColor(width, height, colour);
}

bool CTalkObjectManager::_Noise(bool prepare, int32_t id) {
    CNoiseEffect* noise = _Make<CNoiseEffect>(prepare, TALK_KIND_NOISE, id);
    return noise && noise->LoadNoise();
}

bool CTalkObjectManager::_TimeBg(bool prepare, int32_t time, int32_t id) {
    CTalkTimeBg* bg = _Make<CTalkTimeBg>(prepare, TALK_KIND_TIME_BG, id);
    return bg && bg->LoadTime(time);
}

bool CTalkObjectManager::CreateImage(const std::string& file, int32_t id) { return _Image(false, file, id); }
bool CTalkObjectManager::CreateAnime(const std::string& file, int32_t id, int32_t frameCount, int32_t wait,
                                     bool blend) {
    return _Anime(false, file, id, frameCount, wait, blend);
}
bool CTalkObjectManager::CreateColorFill(int32_t width, int32_t height, uint32_t colour, int32_t id) {
    return _ColorFill(false, width, height, colour, id);
}
bool CTalkObjectManager::CreateNoise(int32_t id) { return _Noise(false, id); }
bool CTalkObjectManager::CreateTimeBg(int32_t time, int32_t id) { return _TimeBg(false, time, id); }
bool CTalkObjectManager::PrepareImage(const std::string& file, int32_t id) { return _Image(true, file, id); }
bool CTalkObjectManager::PrepareAnime(const std::string& file, int32_t id, int32_t frameCount, int32_t wait,
                                      bool blend) {
    return _Anime(true, file, id, frameCount, wait, blend);
}
bool CTalkObjectManager::PrepareColorFill(int32_t width, int32_t height, uint32_t colour, int32_t id) {
    return _ColorFill(true, width, height, colour, id);
}
bool CTalkObjectManager::PrepareNoise(int32_t id) { return _Noise(true, id); }
bool CTalkObjectManager::PrepareTimeBg(int32_t time, int32_t id) { return _TimeBg(true, time, id); }

// ---- lookups ----

bool CTalkObjectManager::Exists(int32_t id) const {
    int32_t key = 0;
    return CTransitionLayerList::KeyOfId(id, &key) && m_Layers->Exists(key);
}

int32_t CTalkObjectManager::GetKind(int32_t id) const {
    int32_t key = 0;
    return CTransitionLayerList::KeyOfId(id, &key) ? m_Layers->GetKind(key) : 0;
}

CTalkObject* CTalkObjectManager::GetObject(int32_t id) const {
    int32_t key = 0;
    if (!CTransitionLayerList::KeyOfId(id, &key)) {
        return nullptr;
    }
    return dynamic_cast<CTalkObject*>(m_Layers->Find(key));
}

CTalkPicture* CTalkObjectManager::_Picture(int32_t id) const {
    int32_t key = 0;
    if (!CTransitionLayerList::KeyOfId(id, &key)) {
        return nullptr;
    }
    const int32_t kind = m_Layers->GetKind(key);
    if (kind != TALK_KIND_IMAGE && kind != TALK_KIND_ANIME) {
        return nullptr;
    }
    return dynamic_cast<CTalkPicture*>(m_Layers->Find(key));
}

// ---- transforms ----

void CTalkObjectManager::SetPosition(int32_t id, int32_t x, int32_t y) {
    if (CTalkObject* o = GetObject(id)) {
        o->SetPosition(x, y);
        StopMotion(id);
    }
}

void CTalkObjectManager::SetScale(int32_t id, float sx, float sy, int32_t cx, int32_t cy) {
    if (CTalkObject* o = GetObject(id)) {
        o->SetScale(sx, sy, cx, cy);
        StopMotion(id);
    }
}

void CTalkObjectManager::SetRotation(int32_t id, int32_t angle, int32_t cx, int32_t cy) {
    if (CTalkObject* o = GetObject(id)) {
        o->SetRotation(angle, cx, cy);
        StopMotion(id);
    }
}

void CTalkObjectManager::SetAlpha(int32_t id, int32_t level) {
    if (CTalkObject* o = GetObject(id)) {
        o->SetAlpha(level);
        StopMotion(id);
    }
}

SPoint CTalkObjectManager::GetPosition(int32_t id) const {
    const CTalkObject* o = GetObject(id);
    return o ? o->GetPosition() : SPoint{};
}

void CTalkObjectManager::GetScale(int32_t id, float* sx, float* sy, SPoint* centre) const {
    if (const CTalkObject* o = GetObject(id)) o->GetScale(sx, sy, centre);
}

void CTalkObjectManager::GetRotation(int32_t id, int32_t* angle, SPoint* centre) const {
    if (const CTalkObject* o = GetObject(id)) o->GetRotation(angle, centre);
}

int32_t CTalkObjectManager::GetAlpha(int32_t id) const {
    const CTalkObject* o = GetObject(id);
    return o ? o->GetAlpha() : 0;
}

SSize CTalkObjectManager::GetSize(int32_t id) const {
    const CTalkObject* o = GetObject(id);
    return o ? o->GetSize() : SSize{};
}

// ---- pictures ----

void CTalkObjectManager::SetInEffect(int32_t id, int32_t effectId, int32_t frames) {
    if (CTalkPicture* p = _Picture(id)) p->SetInEffect(effectId, frames);
}
void CTalkObjectManager::SetOutEffect(int32_t id, int32_t effectId, int32_t frames) {
    if (CTalkPicture* p = _Picture(id)) p->SetOutEffect(effectId, frames);
}
void CTalkObjectManager::StartIn(int32_t id) {
    if (CTalkPicture* p = _Picture(id)) p->StartIn();
}
void CTalkObjectManager::Show(int32_t id) {
    if (CTalkPicture* p = _Picture(id)) p->Show();
}
void CTalkObjectManager::StartOut(int32_t id) {
    if (CTalkPicture* p = _Picture(id)) p->StartOut();
}
void CTalkObjectManager::Hide(int32_t id) {
    if (CTalkPicture* p = _Picture(id)) p->Hide();
}
void CTalkObjectManager::ClearMotion(int32_t id) {
    if (CTalkPicture* p = _Picture(id)) p->ClearMotion();
}
void CTalkObjectManager::ParseMotion(int32_t id, const std::string& text, const SMotionOut& out) {
    if (CTalkPicture* p = _Picture(id)) p->ParseMotion(text, out);
}
void CTalkObjectManager::SetMotion(int32_t id, const std::string& text) {
    if (CTalkPicture* p = _Picture(id)) p->SetMotion(text);
}
void CTalkObjectManager::PlayMotion(int32_t id, bool loop) {
    if (CTalkPicture* p = _Picture(id)) p->PlayMotion(loop);
}
void CTalkObjectManager::StopMotion(int32_t id) {
    if (CTalkPicture* p = _Picture(id)) p->StopMotion();
}
bool CTalkObjectManager::IsMotionPlaying(int32_t id) const {
    const CTalkPicture* p = _Picture(id);
    return p && p->IsMotionPlaying();
}

// ---- transitions and the screen effect ----

bool CTalkObjectManager::StartTransition(int32_t index, int32_t frames) {
    const bool started = m_Layers->StartTransition(index, frames);
    if (index == 0) {
        m_Layers->EndTransition();
    }
    return started;
}

void CTalkObjectManager::EndTransition() { m_Layers->EndTransition(); }
bool CTalkObjectManager::IsInTransition() const { return m_Layers->IsInTransition(); }
bool CTalkObjectManager::StartScreenEffect(int32_t kind) { return m_Layers->StartScreenEffect(kind); }
void CTalkObjectManager::EndScreenEffect(bool gradual) { m_Layers->EndScreenEffect(gradual); }
bool CTalkObjectManager::IsScreenEffectActive() const { return m_Layers->IsScreenEffectActive(); }
