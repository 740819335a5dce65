#include "engine/sound/SoundBank.h"

#include <algorithm>

#include "engine/base/Log.h"
#include "engine/sound/SoundVolume.h"

namespace {
const std::string kEmpty;
const std::vector<std::string> kNoList;
}  // namespace

CSoundBank::CSoundBank(CDirectSound* device) : m_Device(device) {}

CSoundBank::~CSoundBank() { UnloadAll(); }

bool CSoundBank::_Check(int group, int slot, const char* where) const {
    if (group < 0 || group >= kGroupCount || slot < 0 || slot >= kSlotCount) {
        DebugPrintf("CSoundBank::%s() 範囲外のスロットです[group:%d slot:%d]", where, group, slot);
        return false;
    }
    return true;
}

void CSoundBank::_Apply(int group, int slot) {
    SSlot& s = _Slot(group, slot);
    if (!s.sound) return;
    double ratio = s.curVolume / 100.0 * (m_GroupVolume[group] / 100.0);
    if (s.stopping) ratio *= s.stopFade.GetValue() / 100.0;
    s.sound->SetVolume(RatioToHundredthsDb(ratio));
    s.sound->SetPan(s.curPan);
}

void CSoundBank::_StopNow(SSlot& s, bool unload) {
    if (s.sound) {
        s.sound->Stop();
        if (unload) s.sound.reset();
    }
    s.looping = false;
    s.stopping = false;
    s.volFading = false;
    s.panFading = false;
    s.started = false;
    s.curVolume = s.volume;
    s.curPan = s.pan;
}

bool CSoundBank::_LoadInto(int group, int slot, const std::string& file) {
    SSlot& s = _Slot(group, slot);
    s.sound = std::make_unique<CSound>(m_Device);
    if (!s.sound->Load(file)) {
        DebugPrintf("CSoundBank::Load() サウンドの読み込みに失敗しました[group:%d slot:%d][%s]", group, slot,
                    file.c_str());
        s.sound.reset();
        return false;
    }
    _Apply(group, slot);
    return true;
}

bool CSoundBank::Load(int group, int slot, const std::string& file) {
    if (!_Check(group, slot, "Load")) return false;
    SSlot& s = _Slot(group, slot);
    _StopNow(s);
    s.fromList = false;
    s.list.clear();
    s.listIndex = 0;
    s.name = file;
    return _LoadInto(group, slot, file);
}

void CSoundBank::Unload(int group, int slot) {
    if (!_Check(group, slot, "Unload")) return;
    SSlot& s = _Slot(group, slot);
    _StopNow(s);
    s.name.clear();
    s.fromList = false;
    s.list.clear();
    s.listIndex = 0;
}

void CSoundBank::SetVolume(int group, int slot, int volume) {
    if (!_Check(group, slot, "SetVolume")) return;
    SSlot& s = _Slot(group, slot);
    s.volume = s.curVolume = std::clamp(volume, 0, 100);
    s.volFading = false;
    _Apply(group, slot);
}

int CSoundBank::GetVolume(int group, int slot) const {
    if (!_Check(group, slot, "GetVolume")) return 0;
    return _Slot(group, slot).volume;
}

void CSoundBank::SetPan(int group, int slot, int pan) {
    if (!_Check(group, slot, "SetPan")) return;
    SSlot& s = _Slot(group, slot);
    s.pan = s.curPan = std::clamp(pan, -10000, 10000);
    s.panFading = false;
    _Apply(group, slot);
}

int CSoundBank::GetPan(int group, int slot) const {
    if (!_Check(group, slot, "GetPan")) return 0;
    return _Slot(group, slot).pan;
}

bool CSoundBank::Play(int group, int slot, int once, int fadeInMs, int startPos) {
    if (!_Check(group, slot, "Play")) return false;
    SSlot& s = _Slot(group, slot);
    if (!s.sound) return false;
    s.stopping = false;
    s.looping = once == 0;
    s.started = true;
    int frames = MsToFrames(fadeInMs);
    if (fadeInMs > 0 && frames > 0) {
        s.curVolume = 0;
        s.volFade.Set(0, s.volume, frames);
        s.volFading = true;
    } else {
        s.curVolume = s.volume;
        s.volFading = false;
    }
    s.curPan = s.pan;
    s.panFading = false;
    _Apply(group, slot);
    // A list of several files loops by starting over in Update, each file once.
    bool soundLoops = s.looping && !(s.fromList && s.list.size() > 1);
    return s.sound->Play(soundLoops, static_cast<uint32_t>(std::max(startPos, 0)));
}

void CSoundBank::Stop(int group, int slot, int fadeMs) {
    if (!_Check(group, slot, "Stop")) return;
    SSlot& s = _Slot(group, slot);
    if (fadeMs <= 0) {
        _StopNow(s);
        return;
    }
    // Only a stop without a fade unloads: scripts ask for a 1 ms fade to silence
    // their voices while keeping them loaded.
    int frames = MsToFrames(fadeMs);
    if (frames <= 0 || !s.sound || !s.sound->IsPlaying()) {
        _StopNow(s, false);
        return;
    }
    if (s.stopping && s.stopFade.GetTotal() - s.stopFade.GetStep() <= frames) return;  // a shorter fade runs
    int from = s.stopping ? s.stopFade.GetValue() : 100;
    s.stopping = true;
    s.stopFade.Set(from, 0, frames);
    _Apply(group, slot);
}

void CSoundBank::StopGroup(int group, int fadeMs) {
    if (!_Check(group, 0, "StopGroup")) return;
    for (int i = 0; i < kSlotCount; ++i) Stop(group, i, fadeMs);
}

void CSoundBank::FadeVolume(int group, int slot, int volume, int ms) {
    if (!_Check(group, slot, "FadeVolume")) return;
    SSlot& s = _Slot(group, slot);
    s.volume = std::clamp(volume, 0, 100);
    int frames = MsToFrames(ms);
    if (frames <= 0) {
        s.curVolume = s.volume;
        s.volFading = false;
    } else {
        s.volFade.Set(s.curVolume, s.volume, frames);
        s.volFading = true;
    }
    _Apply(group, slot);
}

void CSoundBank::FadePan(int group, int slot, int pan, int ms) {
    if (!_Check(group, slot, "FadePan")) return;
    SSlot& s = _Slot(group, slot);
    s.pan = std::clamp(pan, -10000, 10000);
    int frames = MsToFrames(ms);
    if (frames <= 0) {
        s.curPan = s.pan;
        s.panFading = false;
    } else {
        s.panFade.Set(s.curPan, s.pan, frames);
        s.panFading = true;
    }
    _Apply(group, slot);
}

int32_t CSoundBank::GetSlotValue(int group, int slot) const {
    if (!_Check(group, slot, "GetSlotValue")) return 0;
    const SSlot& s = _Slot(group, slot);
    return s.sound ? static_cast<int32_t>(s.sound->GetPosition()) : 0;
}

bool CSoundBank::IsPlaying(int group, int slot) const {
    if (!_Check(group, slot, "IsPlaying")) return false;
    const SSlot& s = _Slot(group, slot);
    return s.sound && s.sound->IsPlaying();
}

bool CSoundBank::IsLooping(int group, int slot) const {
    if (!_Check(group, slot, "IsLooping")) return false;
    return _Slot(group, slot).looping;
}

const std::string& CSoundBank::GetName(int group, int slot) const {
    if (!_Check(group, slot, "GetName")) return kEmpty;
    return _Slot(group, slot).name;
}

void CSoundBank::SetGroupVolume(int group, int volume) {
    if (!_Check(group, 0, "SetGroupVolume")) return;
    m_GroupVolume[group] = std::clamp(volume, 0, 100);
    for (int i = 0; i < kSlotCount; ++i) _Apply(group, i);
}

int CSoundBank::GetGroupVolume(int group) const {
    if (!_Check(group, 0, "GetGroupVolume")) return 0;
    return m_GroupVolume[group];
}

void CSoundBank::ClearGroupList(int group) {
    if (!_Check(group, 0, "ClearGroupList")) return;
    m_Lists[group].clear();
}

void CSoundBank::SetGroupList(int group, const std::vector<std::string>& names) {
    if (!_Check(group, 0, "SetGroupList")) return;
    m_Lists[group] = names;
}

const std::vector<std::string>& CSoundBank::GetGroupList(int group) const {
    if (!_Check(group, 0, "GetGroupList")) return kNoList;
    return m_Lists[group];
}

bool CSoundBank::PlayFromList(int group, int slot) {
    if (!_Check(group, slot, "PlayFromList")) return false;
    SSlot& s = _Slot(group, slot);
    _StopNow(s);
    s.list = m_Lists[group];
    s.listIndex = 0;
    s.listFailures = 0;
    s.fromList = true;
    if (s.list.empty()) {
        DebugPrintf("CSoundBank::PlayFromList() リストが空です[group:%d slot:%d]", group, slot);
        s.name.clear();
        return false;
    }
    // The first file that loads starts the list; the missing ones are reported.
    for (size_t k = 0; k < s.list.size(); ++k) {
        s.listIndex = k;
        s.name = s.list[k];
        if (_LoadInto(group, slot, s.list[k])) return Play(group, slot, 1, 0, 0);
    }
    return false;
}

void CSoundBank::Update() {
    for (int g = 0; g < kGroupCount; ++g) {
        for (int i = 0; i < kSlotCount; ++i) {
            SSlot& s = m_Slots[g][i];
            bool changed = false;
            if (s.volFading) {
                s.volFade.Next();
                s.curVolume = s.volFade.GetValue();
                s.volFading = !s.volFade.IsEnd();
                changed = true;
            }
            if (s.panFading) {
                s.panFade.Next();
                s.curPan = s.panFade.GetValue();
                s.panFading = !s.panFade.IsEnd();
                changed = true;
            }
            if (s.stopping) {
                s.stopFade.Next();
                if (s.stopFade.IsEnd()) {
                    _StopNow(s, false);
                    continue;
                }
                changed = true;
            }
            // The next file of a list once the current one has ended.
            if (s.fromList && s.started && s.sound && !s.sound->IsPlaying() && !s.sound->IsPaused() &&
                s.list.size() > 1) {
                bool looping = s.looping;
                size_t next = s.listIndex + 1;
                if (next >= s.list.size()) {
                    if (!looping) {
                        s.started = false;
                        continue;
                    }
                    next = 0;
                }
                s.listIndex = next;
                s.name = s.list[next];
                if (_LoadInto(g, i, s.list[next])) {
                    s.listFailures = 0;
                    s.sound->Play(false, 0);
                } else {
                    // An empty sound: the next frame moves on, until every file has failed.
                    ++s.listFailures;
                    s.started = s.listFailures < s.list.size() && (looping || next + 1 < s.list.size());
                    s.sound = std::make_unique<CSound>(m_Device);
                }
                changed = false;
            }
            if (changed) _Apply(g, i);
        }
    }
}

void CSoundBank::UnloadAll() {
    for (int g = 0; g < kGroupCount; ++g) {
        for (int i = 0; i < kSlotCount; ++i) Unload(g, i);
    }
}

CSound* CSoundBank::GetSound(int group, int slot) {
    if (!_Check(group, slot, "GetSound")) return nullptr;
    return _Slot(group, slot).sound.get();
}
