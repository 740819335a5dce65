#pragma once
// In-game mode 19: plays the movie file "mov.pak" over the whole screen with its sound
// at the music volume.  While it plays the frame loop draws nothing: the mode's hook
// shows the movie's pictures itself, pauses the movie while the window is inactive and
// runs it again when the window is back.  The movie ends at its end, 20 ms before its
// length or on the cancel input; then the mode ends and the frame loop draws again.
#include <cstdint>

#include "engine/draw/SceneBase.h"
#include "engine/movie/MoviePlayer.h"
#include "game/core/GameMain.h"

// What the movie mode asks of the scene that runs it.
class IMovieModeOwner {
public:
    virtual ~IMovieModeOwner() = default;
    // Ends the current mode: the owner removes it at its next update.
    virtual void ClearMode() = 0;
};

class CMovieMode : public CSceneBase, public IMovieHook {
public:
    static constexpr int32_t kModeId = 19;
    static constexpr const char* kMovieFile = "mov.pak";
    static constexpr uint32_t kEndMarginMs = 20;

    CMovieMode(IMovieModeOwner& owner, CGameMain& game, CMoviePlayer::SOptions player = {});
    // Also lets the frame loop draw again: a mode removed before its movie ended must not
    // leave the screen dark for good.
    ~CMovieMode() override;
    CMovieMode(const CMovieMode&) = delete;
    CMovieMode& operator=(const CMovieMode&) = delete;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnMovieFrame() override;

    bool IsDone() const { return m_Done != 0; }
    CMoviePlayer& GetPlayer() { return m_Player; }

private:
    void _End();

    IMovieModeOwner& m_Owner;
    CGameMain& m_Game;
    CMoviePlayer m_Player;
    int32_t m_Done = 0;
};
