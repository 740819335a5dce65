#pragma once
// The state shared by the device's output and the owners of its buffers: the list of
// playing buffers under one lock.  Internal to platform/audio.
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/AudioBuffer.h"

// The state the output thread and the owners of buffers share.
class CAudioMixerCore {
public:
    std::mutex mutex;
    std::vector<std::shared_ptr<CAudioBuffer>> playing;
    std::vector<float> acc;

    void Add(const std::shared_ptr<CAudioBuffer>& b) { playing.push_back(b); }
    // The caller holds a reference, so this never destroys the buffer.
    void Remove(const CAudioBuffer* b);
    void Mix(int16_t* out, uint32_t frames, std::vector<std::shared_ptr<CAudioBuffer>>* ended);
};

