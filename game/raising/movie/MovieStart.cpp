#include "game/raising/movie/MovieStart.h"

#include "engine/base/Log.h"

CMovieHostScene::CMovieHostScene(CGameMain& game, CMoviePlayer::SOptions player)
    : m_Game(game), m_PlayerOptions(player) {}

void CMovieHostScene::Load() {
    m_Mode = std::make_unique<CMovieMode>(*this, m_Game, m_PlayerOptions);
    m_Mode->Load();
}

void CMovieHostScene::Update() {
    if (m_Cleared) {
        if (m_Mode) {
            m_Mode.reset();
            DebugPrintf("CMovieHostScene::Update() 動画が終わったので終了します");
            m_Game.RequestEnd();
        }
        return;
    }
    if (m_Mode) m_Mode->Update();
}

void CMovieHostScene::Draw() {
    if (m_Mode) m_Mode->Draw();
}

std::unique_ptr<CSceneBase> CMovieStartFactory::Create(int32_t id) {
    CGameMain* game = GetGameMain();
    if (!game) return nullptr;
    if (id == CGameMain::kBootScene) return std::make_unique<CMovieHostScene>(*game);
    if (!m_Game) m_Game = std::make_unique<CSceneFactory>(*game);
    return m_Game->CreateScene(id);
}

void CMovieStartFactory::Release(std::unique_ptr<CSceneBase> object) {
    if (m_Game && !dynamic_cast<CMovieHostScene*>(object.get())) {
        m_Game->Release(std::move(object));
    }
}
