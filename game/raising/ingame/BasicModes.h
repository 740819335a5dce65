#pragma once
// The in-game modes without a screen of their own: 1 (black), 2 (the stage while an
// event plays), 18 (a picture until a button) and 19 (the movie).
#include <cstdint>
#include <memory>

#include "engine/draw/ImagePlane.h"
#include "game/raising/ingame/ModeState.h"
#include "game/raising/movie/MovieMode.h"

// 1: opaque black; ends as soon as the mode manager's transition is over.
class CBlankMode : public CModeState {
public:
    using CModeState::CModeState;
    void Update() override;
    void Draw() override;
    void PrepareThumbnail() override { Draw(); }
};

// 2: the stage while an event script plays; ends when the script and its follow-up
// are done.
class CStageMode : public CModeState {
public:
    using CModeState::CModeState;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void PrepareThumbnail() override;
};

// 18: "obj\w000_002.bmp" until the decide or the cancel input.
class CPictureMode : public CModeState {
public:
    static constexpr const char* kPicture = "obj\\w000_002.bmp";
    using CModeState::CModeState;
    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

private:
    CImagePlane m_Picture;
};

// 19: the movie (CMovieMode) as an in-game mode.
class CMovieModeState : public CModeState {
public:
    explicit CMovieModeState(CRaisingScene& owner);
    void Load() override { m_Movie->Load(); }
    void Update() override { m_Movie->Update(); }
    void Draw() override { m_Movie->Draw(); }
    CMovieMode& GetMovie() { return *m_Movie; }

private:
    std::unique_ptr<CMovieMode> m_Movie;
};
