#pragma once
// The factory of the top-level scenes, by id 1 to 29: 1 exit relay, 2 boot, 3 to 5
// logo scenes, 6 opening, 7 title menu, 8 to 11 save and load screens, 12 picture
// viewer, 13 picture full view, 14 play view, 15 music room, 16 settings menu,
// 17 guide, 18 game-over screen, 19 the kept in-game scene, 20 a fresh in-game
// scene, 21 relay to scene 19, 22 relay to scene 20, 23 load relay, 24 and 25 status
// pages, 26 letter viewer, 27 to 29 sample scenes.  Id 0 and an id the game cannot
// build give none.
//
// Scene 19 is the game object's own object: handing it out counts one more use of
// the running game, and taking it back never deletes it.
#include <cstdint>
#include <memory>

#include "engine/draw/SceneFactory.h"

class CGameMain;

class CSceneFactory : public ISceneFactory {
public:
    static constexpr int32_t kMaxSceneId = 29;

    explicit CSceneFactory(CGameMain& game) : m_Game(game) {}

    std::unique_ptr<CSceneBase> CreateScene(int32_t id);
    std::unique_ptr<CSceneBase> Create(int32_t id) override { return CreateScene(id); }
    void Release(std::unique_ptr<CSceneBase> object) override;

private:
    CGameMain& m_Game;
};
