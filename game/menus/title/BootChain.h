#pragma once
// The scenes of an ordinary start, strictly forward: boot (2) → logo 1 (3) → logo 2 (4)
// → logo 3 (5) → the opening (6), and the exit relay (1) through which a quit ends the
// program.  Each waits for the incoming transition to end before it counts a frame or
// takes input, so its counter counts only frames after the transition.
#include <cstdint>

#include "engine/draw/ImagePlane.h"
#include "game/menus/title/GameScene.h"

// Scene 1: once no top-level transition runs, closes the window without asking; the
// game object's shutdown then writes the save files.
class CExitRelayScene : public CGameScene {
public:
    using CGameScene::CGameScene;
    void Update() override;
    void Draw() override { ClearToBlack(); }

private:
    bool m_Closing = false;
};

// Scene 2: on to logo 1.
class CBootScene : public CGameScene {
public:
    using CGameScene::CGameScene;
    void Update() override;
    void Draw() override { ClearToBlack(); }
};

// Scene 3: the first logo with a voice drawn at random among seven; 201 counted frames,
// or decide or cancel.
class CLogoScene1 : public CGameScene {
public:
    static constexpr const char* kPicture = "obj\\a000_000.bmp";
    static constexpr int kVoiceCount = 7;
    static constexpr const char* kVoices[kVoiceCount] = {
        "voice\\lu5_0000.ogg", "voice\\ta5_0000.ogg", "voice\\py5_0000.ogg", "voice\\me5_0000.ogg",
        "voice\\cu5_0000.ogg", "voice\\pa5_0000.ogg", "voice\\ma5_0000.ogg"};
    static constexpr int32_t kFrames = 200;

    using CGameScene::CGameScene;
    void Load() override;
    void Update() override;
    void Draw() override { m_Picture.Draw(0, 0, 0xFFFFFFFFu); }

    int32_t GetVoiceIndex() const { return m_Voice; }

private:
    CImagePlane m_Picture;
    int32_t m_Counter = 0;
    int32_t m_Voice = -1;
};

// Scene 4: the second logo, 401 counted frames.  Until it has once been shown to its
// end (the system data's logo-seen flag) input cannot shorten it.
class CLogoScene2 : public CGameScene {
public:
    static constexpr const char* kPicture = "obj\\a000_001.bmp";
    static constexpr int32_t kFrames = 400;

    using CGameScene::CGameScene;
    void Load() override { m_Picture.LoadFile(kPicture); }
    void Update() override;
    void Draw() override { m_Picture.Draw(0, 0, 0xFFFFFFFFu); }

private:
    CImagePlane m_Picture;
    int32_t m_Counter = 0;
};

// Scene 5: black, straight on to the opening with a fade over 60 frames.
class CLogoScene3 : public CGameScene {
public:
    using CGameScene::CGameScene;
    void Update() override;
    void Draw() override { ClearToBlack(); }
};
