#pragma once
// The voice channel of the game object: a list of files played through one
// channel, in list order or shuffled.  Play(1, 0) plays the first file of the order
// once; Play(0, 0) plays the files one after another and starts the order over.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/Random.h"
#include "engine/sound/FadeSound.h"

class CFadeSoundList {
public:
    explicit CFadeSoundList(CDirectSound* device = nullptr);

    // Keeps the names; a random order is drawn now and after each full pass.
    void LoadList(const std::vector<std::string>& names, bool randomOrder);
    void LoadList(int count, const char* const* names, bool randomOrder);
    void SetVolume(int volume);
    int GetVolume() const { return m_Channel.GetVolume(); }
    void SetPan(int pan);
    int GetPan() const { return m_Channel.GetPan(); }
    bool Play(int once, uint32_t startMs = 0);
    void Stop();
    void Unload();
    void FadeOut(int ms);
    bool IsPlaying() const { return m_Channel.IsPlaying(); }
    // The order of the entries (indexes into the list) and the one playing.
    const std::vector<size_t>& GetOrder() const { return m_Order; }
    size_t GetCurrent() const { return m_Current; }
    const std::vector<std::string>& GetNames() const { return m_Names; }

    // One frame of the channel's fades; moves on to the next file when one ends.
    void Update();

    CFadeSound& GetChannel() { return m_Channel; }

private:
    void _Shuffle();
    bool _PlayEntry(size_t position, uint32_t startMs);

    CFadeSound m_Channel;
    CRandom m_Random;
    std::vector<std::string> m_Names;
    std::vector<size_t> m_Order;
    size_t m_Current = 0;
    bool m_RandomOrder = false;
    bool m_Continuous = false;
    bool m_Active = false;
};
