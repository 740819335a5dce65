#include "game/stage/talk/TalkFactory.h"

#include "game/stage/talk/NoiseEffect.h"
#include "game/stage/talk/TalkBg.h"
#include "game/stage/talk/TalkCgAnime.h"
#include "game/stage/talk/TalkCgImage.h"
#include "game/stage/talk/TimeOfDayBg.h"

std::unique_ptr<CSceneBase> CTalkFactory::Create(int32_t kind) {
    switch (kind) {
        case TALK_KIND_IMAGE: return std::make_unique<CTalkCgImage>();
        case TALK_KIND_ANIME: return std::make_unique<CTalkCgAnime>();
        case TALK_KIND_COLOR: return std::make_unique<CTalkBg>();
        case TALK_KIND_NOISE: return std::make_unique<CNoiseEffect>();
        case TALK_KIND_TIME_BG: return std::make_unique<CTalkTimeBg>();
        default: return nullptr;
    }
}
