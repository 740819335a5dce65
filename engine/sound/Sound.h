#pragma once
// The sound interface and its front end.  A sound is one file played through the
// sound device: volume and pan in hundredths of a decibel, frequency in Hz,
// positions in milliseconds.  Files of 3,000 ms or more stream from their file on a
// thread of their own that polls every 10 ms; shorter ones are decoded whole into
// one buffer.  Both give the same samples.
#include <cstdint>
#include <memory>
#include <string>

class CDirectSound;

class ISound {
public:
    static constexpr int32_t kVolumeMin = -10000;
    static constexpr int32_t kVolumeMax = 0;
    static constexpr uint32_t kStopFadeMs = 25;

    virtual ~ISound() = default;
    virtual bool Load(const std::string& file) = 0;
    virtual void Unload() = 0;
    // Plays from `startMs`, looping or once; a paused sound starts over.
    virtual bool Play(bool loop, uint32_t startMs = 0) = 0;
    // Fades out over 25 ms and stops (no click).
    virtual void Stop() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual uint32_t GetPosition() const = 0;
    virtual void SetVolume(int32_t volume) = 0;
    virtual int32_t GetVolume() const = 0;
    virtual void SetPan(int32_t pan) = 0;
    virtual int32_t GetPan() const = 0;
    // 0 plays at the file's own rate.
    virtual void SetFrequency(uint32_t hz) = 0;
    virtual uint32_t GetFrequency() const = 0;
    virtual bool IsLoaded() const = 0;
    // Sounding now (a paused sound is not).
    virtual bool IsPlaying() const = 0;
    virtual bool IsPaused() const = 0;
    virtual bool IsLooping() const = 0;
    virtual uint32_t GetLengthMs() const = 0;
};

// The sound object: chooses the whole-buffer or the streaming implementation by the
// file's length when it loads, and forwards every operation to it.  Volume, pan and
// frequency set before a load carry over to the loaded file.
class CSound : public ISound {
public:
    enum ELoadMode { LOAD_AUTO, LOAD_WHOLE, LOAD_STREAM };
    static constexpr uint32_t kStreamThresholdMs = 3000;

    // `device` null: the calling thread's registered DirectSound object.
    explicit CSound(CDirectSound* device = nullptr);
    ~CSound() override;
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // A missing file returns false without a log line (the caller decides whether to
    // report it); a file that cannot be decoded is reported.
    bool Load(const std::string& file) override { return LoadWith(file, LOAD_AUTO); }
    bool LoadWith(const std::string& file, ELoadMode mode);
    void Unload() override;
    bool Play(bool loop, uint32_t startMs = 0) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    uint32_t GetPosition() const override;
    void SetVolume(int32_t volume) override;
    int32_t GetVolume() const override { return m_Volume; }
    void SetPan(int32_t pan) override;
    int32_t GetPan() const override { return m_Pan; }
    void SetFrequency(uint32_t hz) override;
    uint32_t GetFrequency() const override;
    bool IsLoaded() const override { return m_Impl != nullptr; }
    bool IsPlaying() const override;
    bool IsPaused() const override;
    bool IsLooping() const override;
    uint32_t GetLengthMs() const override;

    bool IsStreaming() const { return m_Streaming; }
    const std::string& GetFileName() const { return m_FileName; }
    // Streaming only: waits until the stream thread has finished a poll that began
    // after this call (tests pull the mix by hand and let the thread catch up).
    bool WaitForStreamPoll(uint32_t timeoutMs);

private:
    CDirectSound* m_Device;
    std::unique_ptr<ISound> m_Impl;
    std::string m_FileName;
    bool m_Streaming = false;
    int32_t m_Volume = 0;
    int32_t m_Pan = 0;
    uint32_t m_Frequency = 0;
};
