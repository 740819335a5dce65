#include "game/menus/title/Ambient.h"

#include "engine/sound/FadeSound.h"
#include "game/core/GameMain.h"
#include "game/core/SystemData.h"

void StartAmbient(CGameMain& game, int fadeInMs, bool keepPlaying) {
    const int effects = game.GetSystemData().m_EffectVolume;
    for (int i = 0; i < 2; ++i) {
        CFadeSound* channel = game.GetChannel(SAmbient::kChannels[i]);
        if (keepPlaying && channel->IsPlaying() && !channel->IsFadingOut()) {
            continue;
        }
        channel->Load(SAmbient::kFiles[i]);
        channel->SetVolume((effects * SAmbient::kShares[i] / 100) * 10);
        channel->SetPan(0);
        channel->PlayFadeIn(0, fadeInMs, 0);
    }
}

void FadeOutAmbient(CGameMain& game) {
    for (int channel : SAmbient::kChannels) {
        game.GetChannel(channel)->FadeOut(SAmbient::kFadeOutMs);
    }
}
