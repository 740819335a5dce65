#include "platform/audio/AudioBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/MixerCore.h"

namespace {

float DecibelGain(int32_t hundredths) {
    if (hundredths <= CAudioBuffer::kVolumeMin) return 0.0f;
    if (hundredths >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}

}  // namespace

bool SAudioFormat::IsValid() const {
    return (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && rate >= 100 && rate <= 200000;
}

// ---------------------------------------------------------------------------
// CAudioBuffer

CAudioBuffer::CAudioBuffer(std::shared_ptr<CAudioMixerCore> core, const SAudioFormat& format, uint32_t bytes)
    : m_Core(std::move(core)), m_Format(format) {
    uint32_t align = format.BlockAlign();
    m_Frames = std::max<uint32_t>(1, bytes / align);
    m_Data.assign(static_cast<size_t>(m_Frames) * align, format.bits == 8 ? 0x80 : 0x00);
}

CAudioBuffer::~CAudioBuffer() = default;

bool CAudioBuffer::Write(uint32_t offset, const void* data, uint32_t bytes) {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    uint32_t size = GetSize();
    if (offset >= size || bytes > size || (bytes > 0 && !data)) return false;
    const uint8_t* src = static_cast<const uint8_t*>(data);
    uint32_t first = std::min(bytes, size - offset);
    std::memcpy(m_Data.data() + offset, src, first);
    if (bytes > first) std::memcpy(m_Data.data(), src + first, bytes - first);
    return true;
}

bool CAudioBuffer::WriteSilence(uint32_t offset, uint32_t bytes) {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    uint32_t size = GetSize();
    if (offset >= size || bytes > size) return false;
    uint8_t fill = m_Format.bits == 8 ? 0x80 : 0x00;
    uint32_t first = std::min(bytes, size - offset);
    std::memset(m_Data.data() + offset, fill, first);
    if (bytes > first) std::memset(m_Data.data(), fill, bytes - first);
    return true;
}

void CAudioBuffer::_UpdateGains() {
    float g = DecibelGain(m_Volume);
    float l = g, r = g;
    if (m_Pan < 0) r *= DecibelGain(m_Pan);
    if (m_Pan > 0) l *= DecibelGain(-m_Pan);
    m_GainL = l;
    m_GainR = r;
}

void CAudioBuffer::SetVolume(int32_t volume) {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    m_Volume = std::clamp(volume, kVolumeMin, kVolumeMax);
    _UpdateGains();
}

int32_t CAudioBuffer::GetVolume() const {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    return m_Volume;
}

void CAudioBuffer::SetPan(int32_t pan) {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    m_Pan = std::clamp(pan, kPanLeft, kPanRight);
    _UpdateGains();
}

int32_t CAudioBuffer::GetPan() const {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    return m_Pan;
}

void CAudioBuffer::SetFrequency(uint32_t hz) {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    m_Frequency = hz == 0 ? 0 : std::clamp<uint32_t>(hz, 100, 200000);
}

uint32_t CAudioBuffer::GetFrequency() const {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    return m_Frequency == 0 ? m_Format.rate : m_Frequency;
}

void CAudioBuffer::Play(bool loop) {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    m_Looping = loop;
    m_FadeTotal = 0;
    m_FadeLeft = 0;
    if (m_Playing) return;
    // A buffer that played to its end starts again from the beginning.
    if (!loop && m_StartFrame + m_Played >= m_Frames) {
        m_StartFrame = 0;
        m_Played = 0;
        m_Frac = 0;
    }
    m_Playing = true;
    // The core keeps a reference while the buffer plays, so that a stop fade
    // finishes even when the owner lets the buffer go.
    m_Core->Add(shared_from_this());
}

void CAudioBuffer::Stop() {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    m_FadeTotal = 0;
    m_FadeLeft = 0;
    if (!m_Playing) return;
    m_Playing = false;
    m_Core->Remove(this);
}

void CAudioBuffer::StopWithFade(uint32_t ms) {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    if (!m_Playing) return;
    uint32_t frames = static_cast<uint32_t>(static_cast<uint64_t>(ms) * CAudioDevice::kOutputRate / 1000);
    if (frames == 0) {
        m_Playing = false;
        m_FadeTotal = 0;
        m_Core->Remove(this);
        return;
    }
    if (m_FadeTotal != 0 && m_FadeLeft <= frames) return;  // a shorter fade already runs
    m_FadeTotal = frames;
    m_FadeLeft = frames;
}

bool CAudioBuffer::IsPlaying() const {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    return m_Playing;
}

bool CAudioBuffer::IsLooping() const {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    return m_Looping;
}

bool CAudioBuffer::IsFadingOut() const {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    return m_Playing && m_FadeTotal != 0;
}

uint32_t CAudioBuffer::GetPlayPosition() const {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    uint64_t f = m_StartFrame + m_Played;
    if (m_Looping) {
        f %= m_Frames;
    } else if (f > m_Frames) {
        f = m_Frames;
    }
    return static_cast<uint32_t>(f * m_Format.BlockAlign());
}

void CAudioBuffer::SetPlayPosition(uint32_t bytes) {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    m_StartFrame = std::min(bytes / m_Format.BlockAlign(), m_Frames);
    m_Played = 0;
    m_Frac = 0;
}

uint64_t CAudioBuffer::GetPlayedFrames() const {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    return m_Played;
}

inline int32_t CAudioBuffer::_SampleL(uint32_t frame) const {
    const uint8_t* p = m_Data.data() + static_cast<size_t>(frame) * m_Format.BlockAlign();
    if (m_Format.bits == 16) return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
    return (static_cast<int32_t>(p[0]) - 128) << 8;
}

inline int32_t CAudioBuffer::_SampleR(uint32_t frame) const {
    if (m_Format.channels == 1) return _SampleL(frame);
    const uint8_t* p = m_Data.data() + static_cast<size_t>(frame) * m_Format.BlockAlign();
    if (m_Format.bits == 16) return static_cast<int16_t>(static_cast<uint16_t>(p[2] | (p[3] << 8)));
    return (static_cast<int32_t>(p[1]) - 128) << 8;
}

bool CAudioBuffer::_MixInto(float* acc, uint32_t frames) {
    uint32_t rate = m_Frequency == 0 ? m_Format.rate : m_Frequency;
    const uint64_t step = (static_cast<uint64_t>(rate) << 32) / CAudioDevice::kOutputRate;
    const uint64_t stepWhole = step >> 32;
    const uint32_t stepFrac = static_cast<uint32_t>(step);
    const float gl = m_GainL, gr = m_GainR;
    const bool silent = gl == 0.0f && gr == 0.0f;
    for (uint32_t i = 0; i < frames; ++i) {
        uint64_t f = m_StartFrame + m_Played;
        if (f >= m_Frames) {
            if (!m_Looping) {
                m_Playing = false;
                m_FadeTotal = 0;
                return false;
            }
            f %= m_Frames;
        }
        if (!silent) {
            uint32_t idx = static_cast<uint32_t>(f);
            float l = static_cast<float>(_SampleL(idx));
            float r = static_cast<float>(_SampleR(idx));
            uint32_t frac = m_Frac;
            if (frac != 0) {
                uint32_t next = idx + 1;
                if (next >= m_Frames) next = m_Looping ? 0 : idx;
                float t = static_cast<float>(frac) * (1.0f / 4294967296.0f);
                l += (static_cast<float>(_SampleL(next)) - l) * t;
                r += (static_cast<float>(_SampleR(next)) - r) * t;
            }
            if (m_FadeTotal != 0) {
                float g = static_cast<float>(m_FadeLeft) / static_cast<float>(m_FadeTotal);
                l *= g;
                r *= g;
            }
            acc[2 * i] += l * gl;
            acc[2 * i + 1] += r * gr;
        }
        const uint64_t frac = static_cast<uint64_t>(m_Frac) + stepFrac;
        m_Played += stepWhole + (frac >> 32);
        m_Frac = static_cast<uint32_t>(frac);
        // A sound played once ends with its last frame, not one mix later.
        if (!m_Looping && m_StartFrame + m_Played >= m_Frames) {
            m_Playing = false;
            m_FadeTotal = 0;
            return false;
        }
        if (m_FadeTotal != 0 && --m_FadeLeft == 0) {
            m_FadeTotal = 0;
            m_Playing = false;
            return false;
        }
    }
    return true;
}

