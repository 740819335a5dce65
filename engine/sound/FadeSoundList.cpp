#include "engine/sound/FadeSoundList.h"

#include <numeric>

CFadeSoundList::CFadeSoundList(CDirectSound* device) : m_Channel(device) {}

void CFadeSoundList::_Shuffle() {
    m_Order.resize(m_Names.size());
    std::iota(m_Order.begin(), m_Order.end(), size_t{0});
    if (!m_RandomOrder) return;
    for (size_t i = m_Order.size(); i > 1; --i) {
        size_t j = m_Random.Random(static_cast<uint32_t>(i));
        std::swap(m_Order[i - 1], m_Order[j]);
    }
}

void CFadeSoundList::LoadList(const std::vector<std::string>& names, bool randomOrder) {
    Unload();
    m_Names = names;
    m_RandomOrder = randomOrder;
    _Shuffle();
}

void CFadeSoundList::LoadList(int count, const char* const* names, bool randomOrder) {
    std::vector<std::string> v;
    for (int i = 0; i < count && names; ++i) {
        if (names[i]) v.emplace_back(names[i]);
    }
    LoadList(v, randomOrder);
}

void CFadeSoundList::SetVolume(int volume) { m_Channel.SetVolume(volume); }

void CFadeSoundList::SetPan(int pan) { m_Channel.SetPan(pan); }

bool CFadeSoundList::_PlayEntry(size_t position, uint32_t startMs) {
    m_Current = position;
    m_Channel.Load(m_Names[m_Order[position]]);
    return m_Channel.Play(false, startMs);
}

bool CFadeSoundList::Play(int once, uint32_t startMs) {
    m_Channel.Stop();
    m_Active = false;
    if (m_Order.empty()) return false;
    m_Continuous = once == 0;
    m_Active = true;
    return _PlayEntry(0, startMs);
}

void CFadeSoundList::Stop() {
    m_Active = false;
    m_Channel.Stop();
}

void CFadeSoundList::Unload() {
    Stop();
    m_Channel.Unload();
    m_Names.clear();
    m_Order.clear();
    m_Current = 0;
}

void CFadeSoundList::FadeOut(int ms) {
    m_Active = false;
    m_Channel.FadeOut(ms);
}

void CFadeSoundList::Update() {
    m_Channel.Update();
    if (!m_Active || m_Channel.IsPlaying()) return;
    if (!m_Continuous) {
        m_Active = false;
        return;
    }
    size_t next = m_Current + 1;
    if (next >= m_Order.size()) {
        _Shuffle();
        next = 0;
    }
    _PlayEntry(next, 0);
}
