#include "tests/support/screen/SoundRecorder.h"

#include "engine/sound/DirectSound.h"
#include "engine/sound/FadeSound.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "tools/kit/Sheet.h"
#include "tools/kit/SoundFiles.h"

namespace screentest {

namespace {
constexpr uint32_t kFramesPerUpdate = 44100 / 60;
constexpr int kBankGroups = 3;
constexpr int kBankSlots = 30;
}  // namespace

const std::vector<std::string>& CSoundRecorder::Poll() {
    m_Frame.clear();
    for (int i = 0; i < CGameMain::kChannelCount; ++i) {
        CFadeSound* ch = m_Game.GetChannel(i);
        if (ch && ch->IsPlaying() && !ch->IsPaused() && ch->GetPosition() == 0) {
            m_Frame.push_back("ch" + std::to_string(i));
        }
    }
    CSoundBank& bank = m_Game.GetSoundBank();
    for (int g = 0; g < kBankGroups; ++g) {
        for (int s = 0; s < kBankSlots; ++s) {
            CSound* sound = bank.GetSound(g, s);
            if (bank.IsPlaying(g, s) && sound && sound->GetPosition() == 0) {
                m_Frame.push_back("bank " + std::to_string(g) + " " + std::to_string(s) + " " + bank.GetName(g, s));
            }
        }
    }
    std::vector<int16_t> mix(static_cast<size_t>(kFramesPerUpdate) * 2);
    m_Game.GetDirectSound().Mix(mix.data(), kFramesPerUpdate);
    m_All.insert(m_All.end(), m_Frame.begin(), m_Frame.end());
    return m_Frame;
}

std::vector<std::string> CSoundRecorder::Take() {
    std::vector<std::string> out;
    out.swap(m_All);
    return out;
}

bool WriteChannelSounds(const std::string& folder) {
    bool ok = true;
    for (int i = 0; i < CGameMain::kChannelSoundCount; ++i) {
        ok = kit::WriteBytes(kit::NativeFilePath(folder, CGameMain::kChannelSounds[i]),
                             kit::MakeShortWave(static_cast<uint32_t>(i + 1), 100)) && ok;
    }
    return ok;
}

}  // namespace screentest
