#pragma once
// Records which sounds the game started, frame by frame.  The game object mixes on
// request (manual sound output): after each frame the recorder notes every channel
// and sound-bank slot that is playing from its first millisecond, then mixes one
// frame's worth of sound (1/60 s), so that a sound started again later is seen again.
#include <cstdint>
#include <string>
#include <vector>

class CGameMain;

namespace screentest {

class CSoundRecorder {
public:
    explicit CSoundRecorder(CGameMain& game) : m_Game(game) {}

    // After a frame: what started in it (also added to All()).
    const std::vector<std::string>& Poll();
    // Since construction or the last Take(), in order: "ch0".."ch6" for the game
    // object's channels (0 decide, 1 cursor, 2 cancel, 3 purchase), "bank g s <file>"
    // for the sound bank's slots.
    std::vector<std::string> Take();
    const std::vector<std::string>& All() const { return m_All; }
    const std::vector<std::string>& LastFrame() const { return m_Frame; }

private:
    CGameMain& m_Game;
    std::vector<std::string> m_Frame;
    std::vector<std::string> m_All;
};

// Writes the four short channel sounds ("sys\001.ogg" and the others) below a native
// folder, so that the channels load them.
bool WriteChannelSounds(const std::string& folder);

}  // namespace screentest
