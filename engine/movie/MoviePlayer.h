#pragma once
// The movie player: plays one movie file into an 800 × 600 texture with its sound.
//
// Pictures are decoded on a thread of the player's into a short queue; the game thread
// takes the picture due (UpdateFrame), uploads it and draws it (DrawFrame).  The sound
// plays as a stream of the sound device at the volume set; the movie's time is the
// sound's play position while the sound plays, else a clock (injectable, so tests step
// it) that runs only while the movie runs.
//
// States: stopped after Open and StopGraph, running after Run, paused after Pause.  A
// Run after StopGraph starts the movie over.  The movie has ended (IsRunning false)
// once every picture has been taken and its time has reached its length.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/base/FrameTimer.h"
#include "engine/d3d/D3DTexture.h"
#include "platform/movie/MovieDecoder.h"
#include "platform/window/WindowMessage.h"

class CDirectSound;
class CMovieFile;
class CScreenRenderer;
class CStreamSound;

class CMoviePlayer {
public:
    static constexpr uint32_t kWidth = 800;
    static constexpr uint32_t kHeight = 600;
    // Pictures decoded ahead of the one shown.
    static constexpr size_t kQueuePictures = 4;
    static constexpr int32_t kVolumeSteps = 1000;

    struct SOptions {
        // The movie's clock without sound (not owned); null: the real clock.
        IFrameClock* clock = nullptr;
        // The sound device (not owned); null: the calling thread's, none: silent.
        CDirectSound* sound = nullptr;
        bool withSound = true;
    };

    CMoviePlayer();
    explicit CMoviePlayer(SOptions options);
    ~CMoviePlayer();
    CMoviePlayer(const CMoviePlayer&) = delete;
    CMoviePlayer& operator=(const CMoviePlayer&) = delete;

    // Opens a game path and decodes its first picture; false with a log line when the
    // file is missing, is no movie, has no pictures or is damaged before the first.
    bool Open(const std::string& file);
    bool Run();
    bool Pause();
    // Stops the movie, its sound and its decoding thread.
    bool StopGraph();
    // Running and not yet at its end.
    bool IsRunning() const;
    // True while paused.
    bool CheckState() const;
    uint32_t GetPositionMs() const;
    uint32_t GetDurationMs() const { return m_DurationMs; }
    // The window the movie plays for (the mode pauses it while that window is
    // inactive).  The player never loops.
    void SetLoop(WindowHandle window) { m_Window = window; }
    WindowHandle GetLoop() const { return m_Window; }
    // 0 (silent) to 1,000 (unity) along a logarithmic curve onto −10,000..0 hundredths
    // of a decibel.
    void SetVolume(int32_t volume);
    // The sound's volume in hundredths of a decibel.
    int32_t GetVolumeDb() const { return m_VolumeDb; }
    bool HasSound() const { return m_Sound != nullptr; }

    // Game thread: takes the picture due at the movie's time; true when it changed.
    bool UpdateFrame();
    // The picture shown (kWidth × kHeight, 0xAARRGGBB), empty before the first.
    const std::vector<uint32_t>& GetFrame() const { return m_Current.pixels; }
    uint32_t GetFrameTimeMs() const { return static_cast<uint32_t>(m_Current.timeMs); }
    // Copies the picture shown into a kWidth × kHeight texture.
    bool UploadFrame(CD3DTexture& texture) const { return UploadPicture(m_Current, texture); }
    // Copies a picture into a texture at least as large.
    static bool UploadPicture(const SMoviePicture& picture, CD3DTexture& texture);
    // Draws the picture shown over the whole screen through the renderer's Direct3D
    // device (a texture made on first use); false without a device or a picture.
    bool DrawFrame(CScreenRenderer& renderer);
    // The decoding thread is alive (it ends at the movie's end or when stopped).
    bool IsDecoding() const;
    // Waits until the queue of pictures is full or the decoding has ended (tests take
    // pictures without racing the thread); false when `timeoutMs` passed first.
    bool WaitForDecoder(uint32_t timeoutMs);

private:
    enum EState { STATE_STOPPED, STATE_RUNNING, STATE_PAUSED };
    class CDecodeThread;

    void _Close();
    void _StopDecoding();
    void _DecodeLoop(const CDecodeThread& thread);
    uint32_t _Now() const { return m_Clock->NowMs(); }

    SOptions m_Options;
    CSystemFrameClock m_RealClock;
    IFrameClock* m_Clock;
    std::string m_Name;
    std::unique_ptr<CMovieFile> m_File;
    std::unique_ptr<CMovieDecoder> m_Video;
    std::unique_ptr<CStreamSound> m_Sound;
    std::unique_ptr<CDecodeThread> m_Thread;

    mutable std::mutex m_QueueMutex;
    std::condition_variable m_QueueCond;
    std::deque<SMoviePicture> m_Queue;
    std::vector<SMoviePicture> m_Spare;
    bool m_DecodeEnded = false;
    bool m_StopDecoding = false;

    SMoviePicture m_Current;
    bool m_Dirty = false;
    bool m_Played = false;  // ran since Open: a new Run starts over
    EState m_State = STATE_STOPPED;
    uint32_t m_DurationMs = 0;
    // The clock's time: the position at the anchor, and the clock at the anchor.
    mutable uint32_t m_BaseMs = 0;
    mutable uint32_t m_AnchorMs = 0;
    int32_t m_VolumeDb = 0;
    WindowHandle m_Window = nullptr;
    CD3DTexture m_Texture;
};
