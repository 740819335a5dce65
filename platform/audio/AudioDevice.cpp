#include "platform/audio/AudioDevice.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/audio/MixerCore.h"

void CAudioMixerCore::Remove(const CAudioBuffer* b) {
    for (size_t i = 0; i < playing.size(); ++i) {
        if (playing[i].get() == b) {
            playing.erase(playing.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

// ---------------------------------------------------------------------------
// Mixer

void CAudioMixerCore::Mix(int16_t* out, uint32_t frames, std::vector<std::shared_ptr<CAudioBuffer>>* ended) {
    if (acc.size() < static_cast<size_t>(frames) * 2) acc.resize(static_cast<size_t>(frames) * 2);
    std::fill(acc.begin(), acc.begin() + static_cast<std::ptrdiff_t>(frames) * 2, 0.0f);
    for (size_t i = 0; i < playing.size();) {
        if (!playing[i]->_MixInto(acc.data(), frames)) {
            ended->push_back(std::move(playing[i]));
            playing.erase(playing.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    if (!out) return;
    for (uint32_t i = 0; i < frames * 2; ++i) {
        float v = acc[i];
        v = v > 32767.0f ? 32767.0f : (v < -32768.0f ? -32768.0f : v);
        out[i] = static_cast<int16_t>(std::lrintf(v));
    }
}

// ---------------------------------------------------------------------------
// The sound library's own complaints

namespace {

std::mutex g_LibraryMutex;
std::vector<std::string> g_LibraryLines;
// SDL's device watch asks ALSA again every so often: the list must not grow without end
// between two openings.
constexpr size_t kLibraryLineLimit = 64;

// ALSA's error handler.  Without one it prints "ALSA lib file:line:(function) ..." on
// standard error, eight lines on a machine without a sound card while SDL looks for one.
// Set, it is also told what ALSA itself keeps quiet while it lists devices, the same
// lines again and again: each is kept once.
void _KeepAlsaLine(const char* file, int line, const char* function, int err, const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format ? format : "", args);
    va_end(args);
    std::string out = std::string("ALSA lib ") + (file ? file : "") + ":" + std::to_string(line) + ":(" +
                      (function ? function : "") + ") " + text;
    if (err != 0) out += std::string(": ") + std::strerror(err < 0 ? -err : err);
    std::lock_guard<std::mutex> lock(g_LibraryMutex);
    if (g_LibraryLines.size() < kLibraryLineLimit &&
        std::find(g_LibraryLines.begin(), g_LibraryLines.end(), out) == g_LibraryLines.end()) {
        g_LibraryLines.push_back(std::move(out));
    }
}

// SDL opens ALSA by its name when it looks for an output; opened here first (and kept
// open), the one copy of the library in the process has the handler set already.
void _CatchAlsaLines() {
    static const bool caught = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
        if (!alsa) return false;  // no ALSA: nothing to say anything
        using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetHandler = int (*)(ErrorHandler);
        auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
        return set && set(&_KeepAlsaLine) == 0;
    }();
    (void)caught;
}

}  // namespace

// ---------------------------------------------------------------------------
// CAudioDevice

// Consumes the mix in real time when no output device could be opened.
struct CAudioDevice::SClock {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable cond;
    bool stop = false;
};

CAudioDevice::CAudioDevice() : m_Core(std::make_shared<CAudioMixerCore>()) {}

CAudioDevice::~CAudioDevice() {
    Close();
    // Playing buffers and the core hold each other: break the ring.
    std::vector<std::shared_ptr<CAudioBuffer>> playing;
    {
        std::lock_guard<std::mutex> lock(m_Core->mutex);
        for (auto& b : m_Core->playing) {
            b->m_Playing = false;
            b->m_FadeTotal = 0;
        }
        playing.swap(m_Core->playing);
    }
}

void CAudioDevice::_Callback(void* user, uint8_t* stream, int len) {
    auto* self = static_cast<CAudioDevice*>(user);
    self->Mix(reinterpret_cast<int16_t*>(stream), static_cast<uint32_t>(len) / 4);
}

bool CAudioDevice::OpenOutput(std::string* note, std::vector<std::string>* libraryLines) {
    Close();
    _CatchAlsaLines();
    std::string why;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        why = std::string("SDL_InitSubSystem: ") + SDL_GetError();
    } else {
        m_SdlInit = true;
        SDL_AudioSpec want{};
        SDL_AudioSpec have{};
        want.freq = static_cast<int>(kOutputRate);
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        want.callback = &CAudioDevice::_Callback;
        want.userdata = this;
        m_Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (m_Device == 0) {
            why = std::string("SDL_OpenAudioDevice: ") + SDL_GetError();
        } else {
            const char* driver = SDL_GetCurrentAudioDriver();
            if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "disk") == 0)) {
                m_Dummy = true;
                why = std::string("audio driver \"") + driver + "\" is silent";
            }
            SDL_PauseAudioDevice(m_Device, 0);
        }
    }
    if (m_Device == 0) {
        if (m_SdlInit) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            m_SdlInit = false;
        }
        // Keep time without a device: sounds still advance and end.
        m_Clock = std::make_unique<SClock>();
        SClock* clock = m_Clock.get();
        m_Clock->thread = std::thread([this, clock] {
            std::vector<int16_t> scratch;
            auto last = std::chrono::steady_clock::now();
            double carry = 0.0;
            std::unique_lock<std::mutex> lock(clock->mutex);
            while (!clock->stop) {
                clock->cond.wait_for(lock, std::chrono::milliseconds(10));
                auto now = std::chrono::steady_clock::now();
                double frames = std::chrono::duration<double>(now - last).count() * kOutputRate + carry;
                last = now;
                uint32_t whole = static_cast<uint32_t>(std::min(frames, static_cast<double>(kOutputRate)));
                carry = frames - whole;
                if (carry > 1.0) carry = 0.0;
                if (whole) {
                    lock.unlock();
                    Mix(nullptr, whole);
                    lock.lock();
                }
            }
        });
    }
    if (note) *note = why;
    std::lock_guard<std::mutex> lock(g_LibraryMutex);
    if (libraryLines) libraryLines->swap(g_LibraryLines);
    g_LibraryLines.clear();
    return true;
}

void CAudioDevice::OpenManual() {
    Close();
    m_Manual = true;
}

void CAudioDevice::_StopClock() {
    if (!m_Clock) return;
    {
        std::lock_guard<std::mutex> lock(m_Clock->mutex);
        m_Clock->stop = true;
    }
    m_Clock->cond.notify_all();
    if (m_Clock->thread.joinable()) m_Clock->thread.join();
    m_Clock.reset();
}

void CAudioDevice::Close() {
    if (m_Device != 0) {
        SDL_CloseAudioDevice(m_Device);
        m_Device = 0;
    }
    if (m_SdlInit) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_SdlInit = false;
    }
    _StopClock();
    m_Dummy = false;
    m_Manual = false;
}

std::shared_ptr<CAudioBuffer> CAudioDevice::CreateBuffer(const SAudioFormat& format, uint32_t bytes) {
    if (!format.IsValid() || bytes < format.BlockAlign()) return nullptr;
    return std::shared_ptr<CAudioBuffer>(new CAudioBuffer(m_Core, format, bytes));
}

void CAudioDevice::Mix(int16_t* out, uint32_t frames) {
    std::vector<std::shared_ptr<CAudioBuffer>> ended;
    {
        std::lock_guard<std::mutex> lock(m_Core->mutex);
        m_Core->Mix(out, frames, &ended);
    }
    // Buffers whose owners already let them go are freed here, outside the lock.
}

size_t CAudioDevice::GetPlayingCount() const {
    std::lock_guard<std::mutex> lock(m_Core->mutex);
    return m_Core->playing.size();
}
