// The key-text motion parser on arbitrary text: parsing, playing, looping and stopping
// never fail, and the opacity stays within 0..255.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/stage/talk/TalkMotion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CTalkMotion motion;
    STalkTransform running;
    motion.Parse(text, SSize{301, 201}, &running);
    for (bool loop : {false, true}) {
        STalkTransform t;
        motion.Play(loop);
        for (int i = 0; i < 64 && motion.IsPlaying(); ++i) motion.Step(&t);
        motion.Stop(&t);
        if (motion.IsPlaying() || t.alpha < 0 || t.alpha > 255) std::abort();
    }
    return 0;
}
