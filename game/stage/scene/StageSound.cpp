#include "game/stage/scene/StageSound.h"

#include "engine/base/StringUtil.h"
#include "engine/file/TextReader.h"
#include "engine/sound/SoundBank.h"
#include "game/core/HouseLayout.h"
#include "game/core/RunningGame.h"
#include "game/core/StageSnapshot.h"
#include "game/core/SystemData.h"

namespace {

constexpr int32_t kRestartFadeMs = 500;
const char* const kGroupFolders[3] = {"bgm", "se", "voice"};

// A name of a list in the group's folder with ".ogg"; a name that already begins with
// the folder keeps it, and one with an extension of its own keeps that (a letter's
// voices come as whole paths such as "voice\\r.wav").
std::string ListFilePath(const std::string& folder, const std::string& name) {
    const std::string prefix = folder + "\\";
    const bool inFolder = StrCaseConvert(name.substr(0, prefix.size())) == prefix;
    const std::string path = inFolder ? name : MakeFilePath(folder, name, "");
    return HasFileExtension(path) ? path : path + ".ogg";
}

}  // namespace

CStageSound::CStageSound(CStageSnapshot* record, CSoundBank* bank, const CSystemData* settings)
    : m_Record(record), m_Bank(bank), m_Settings(settings) {}

void CStageSound::SetRedirected(const std::vector<std::string>& files) {
    m_Redirected.clear();
    for (size_t i = 0; i < files.size() && i < kRedirectedSpeakers.size(); ++i) {
        m_Redirected.push_back(SRedirectedVoice{files[i], kRedirectedSpeakers[i]});
    }
}

int32_t CStageSound::RedirectedSpeaker(const std::string& file) const {
    for (const SRedirectedVoice& v : m_Redirected) {
        if (!v.file.empty() && v.file == file) return v.speaker;
    }
    return -1;
}

SSoundSlotRecord* CStageSound::_Record(int32_t group, int32_t slot) const {
    return m_Record ? m_Record->GetSoundSlot(group, slot) : nullptr;
}

int32_t CStageSound::_Route(int32_t group, int32_t slot) const {
    if (group != kGroupEffect || !m_Record) return group;
    // Looked up quietly: the caller's own record lookup reports a bad slot once.
    if (slot < 0 || slot >= CStageSnapshot::kSoundSlots) return group;
    const SSoundSlotRecord* voice = m_Record->GetSoundSlot(kGroupVoice, slot);
    return voice && RedirectedSpeaker(voice->source) >= 0 ? kGroupVoice : group;
}

void CStageSound::LoadSlot(int32_t group, int32_t slot, const std::string& file) {
    const int32_t speaker = RedirectedSpeaker(file);
    if (speaker >= 0) {
        if (m_Settings && !m_Settings->GetVoiceSwitch(speaker)) return;
        group = kGroupVoice;
    }
    SSoundSlotRecord* r = _Record(group, slot);
    if (!r) return;
    r->playing = 0;
    r->listFlag = 0;
    r->source = file;
    if (m_Bank) m_Bank->Load(group, slot, file);
}

void CStageSound::SetSlotVolume(int32_t group, int32_t slot, int32_t volume) {
    _Routed(group, slot, [&](SSoundSlotRecord& r, int32_t g) {
        r.volume = volume;
        if (m_Bank) m_Bank->SetVolume(g, slot, volume);
    });
}

void CStageSound::SetSlotPan(int32_t group, int32_t slot, int32_t pan) {
    _Routed(group, slot, [&](SSoundSlotRecord& r, int32_t g) {
        r.pan = pan;
        if (m_Bank) m_Bank->SetPan(g, slot, pan);
    });
}

void CStageSound::PlaySlot(int32_t group, int32_t slot, int32_t once, int32_t fadeInMs) {
    _Routed(group, slot, [&](SSoundSlotRecord& r, int32_t g) {
        if (once == 0) r.playing = 1;
        if (m_Bank) m_Bank->Play(g, slot, once, fadeInMs, 0);
    });
}

void CStageSound::StopSlot(int32_t group, int32_t slot, int32_t fadeMs) {
    _Routed(group, slot, [&](SSoundSlotRecord& r, int32_t g) {
        r.playing = 0;
        if (m_Bank) m_Bank->Stop(g, slot, fadeMs);
    });
}

void CStageSound::FadeSlotVolume(int32_t group, int32_t slot, int32_t volume, int32_t ms) {
    _Routed(group, slot, [&](SSoundSlotRecord& r, int32_t g) {
        r.volume = volume;
        if (m_Bank) m_Bank->FadeVolume(g, slot, volume, ms);
    });
}

void CStageSound::FadeSlotPan(int32_t group, int32_t slot, int32_t pan, int32_t ms) {
    _Routed(group, slot, [&](SSoundSlotRecord& r, int32_t g) {
        r.pan = pan;
        if (m_Bank) m_Bank->FadePan(g, slot, pan, ms);
    });
}

void CStageSound::StopSoundGroup(int32_t group, int32_t fadeMs) {
    if (!_Record(group, 0)) return;
    for (int32_t s = 0; s < CStageSnapshot::kSoundSlots; ++s) _Record(group, s)->playing = 0;
    if (m_Bank) m_Bank->StopGroup(group, fadeMs);
    if (group == kGroupEffect) StopSoundGroup(kGroupVoice, fadeMs);
}

void CStageSound::PlaySound(int32_t group, int32_t slot, const std::string& list) {
    SSoundSlotRecord* r = _Record(group, slot);
    if (!r) return;
    r->playing = 0;
    r->listFlag = 1;
    r->source = list;
    CTextReader reader;
    reader.SetText(list);
    std::vector<std::string> names;
    std::string token;
    while (reader.GetNextToken(&token)) names.push_back(ListFilePath(kGroupFolders[group], token));
    if (!m_Bank) return;
    m_Bank->ClearGroupList(group);
    m_Bank->SetGroupList(group, names);
    m_Bank->PlayFromList(group, slot);
}

void CStageSound::_Ambient(int32_t index, bool loud, int32_t volumeLoud, int32_t volumeSoft, int32_t ms) {
    const int32_t slot = kAmbientSlots[index];
    const int32_t volume = loud ? volumeLoud : volumeSoft;
    const SSoundSlotRecord* r = _Record(kGroupEffect, slot);
    if (r && r->playing) {
        FadeSlotVolume(kGroupEffect, slot, volume, ms);
        return;
    }
    LoadSlot(kGroupEffect, slot, kAmbientFiles[index]);
    SetSlotVolume(kGroupEffect, slot, volume);
    SetSlotPan(kGroupEffect, slot, 0);
    PlaySlot(kGroupEffect, slot, 0, ms);
}

void CStageSound::UpdateAmbient(int32_t ms) {
    if (!m_Record) return;
    int32_t match = 0;  // 1 loud, 2 soft
    for (const SLayerRecord& layer : m_Record->m_Layers) {
        if (layer.kind == 4) {
            match = 1;
        } else if (layer.kind == 0 || layer.kind == 1) {
            match = GetHouseLayout(layer.file);
        }
        if (match) break;
    }
    if (!match) {
        for (int32_t slot : kAmbientSlots) {
            const SSoundSlotRecord* r = _Record(kGroupEffect, slot);
            if (r && r->playing) StopSlot(kGroupEffect, slot, ms);
        }
        return;
    }
    const bool loud = match == 1;
    if (GetRunningParam(14, 37) != 0) _Ambient(0, loud, 15, 10, ms);
    if (GetRunningParam(14, 40) != 0) _Ambient(1, loud, 30, 20, ms);
    if (GetRunningParam(14, 50) != 0 || GetRunningParam(14, 57) != 0) _Ambient(2, loud, 30, 20, ms);
}

void CStageSound::StorePositions() {
    if (!m_Record || !m_Bank) return;
    for (int32_t g = 0; g < CStageSnapshot::kSoundGroups; ++g) {
        for (int32_t s = 0; s < CStageSnapshot::kSoundSlots; ++s) {
            SSoundSlotRecord* r = _Record(g, s);
            if (r->playing) r->position = m_Bank->GetSlotValue(g, s);
        }
    }
}

void CStageSound::RestartPlaying() {
    if (!m_Record) return;
    for (int32_t g = 0; g < CStageSnapshot::kSoundGroups; ++g) {
        for (int32_t s = 0; s < CStageSnapshot::kSoundSlots; ++s) {
            const SSoundSlotRecord saved = *_Record(g, s);
            if (!saved.playing) continue;
            if (saved.listFlag) {
                PlaySound(g, s, saved.source);
            } else {
                LoadSlot(g, s, saved.source);
            }
            // The load forgot the settings; the record takes them back whole.
            *_Record(g, s) = saved;
            if (!m_Bank) continue;
            m_Bank->SetVolume(g, s, saved.volume);
            m_Bank->SetPan(g, s, saved.pan);
            m_Bank->Play(g, s, 0, kRestartFadeMs, saved.position);
        }
    }
}
