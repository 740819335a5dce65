#pragma once
// The developer start "--movie": the game's first scene is a minimal host that runs
// in-game mode 19 alone, so that "mov.pak" can be watched in a window; when the mode
// ends the program ends.  Every other scene comes from the game's own factory.
#include <memory>

#include "engine/draw/SceneFactory.h"
#include "game/core/SceneFactory.h"
#include "game/raising/movie/MovieMode.h"

class CMovieHostScene : public CSceneBase, public CSceneObjectBase, public IMovieModeOwner {
public:
    explicit CMovieHostScene(CGameMain& game, CMoviePlayer::SOptions player = {});
    void Load() override;
    // A cleared mode is removed here, one update after it asked, as a mode manager does.
    void Update() override;
    void Draw() override;
    void ClearMode() override { m_Cleared = true; }
    CMovieMode* GetMode() { return m_Mode.get(); }

private:
    CGameMain& m_Game;
    CMoviePlayer::SOptions m_PlayerOptions;
    std::unique_ptr<CMovieMode> m_Mode;
    bool m_Cleared = false;
};

// Answers the first scene (the boot scene's id) with the movie host; the calling
// thread's game object builds the rest.
class CMovieStartFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override;
    void Release(std::unique_ptr<CSceneBase> object) override;

private:
    std::unique_ptr<CSceneFactory> m_Game;
};
