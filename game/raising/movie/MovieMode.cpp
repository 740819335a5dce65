#include "game/raising/movie/MovieMode.h"

#include "engine/d3d/ScreenRenderer.h"
#include "game/core/SceneRequest.h"
#include "game/core/SystemData.h"

namespace {
constexpr uint32_t kBlack = 0xFF000000u;
}

CMovieMode::CMovieMode(IMovieModeOwner& owner, CGameMain& game, CMoviePlayer::SOptions player)
    : m_Owner(owner), m_Game(game), m_Player(player) {}

CMovieMode::~CMovieMode() {
    m_Game.RemoveMovieHook(this);
    m_Game.SetDrawEnabled(true);
}

void CMovieMode::Load() {
    m_Game.SetMovieHook(this);
    // Without Direct3D the movie has no texture to play into: the mode is ended at once
    // (it is removed at the owner's next update, having done the rest of its start).
    CScreenRenderer* renderer = m_Game.GetRenderer();
    if (!renderer || renderer->GetKind() != CScreenRenderer::KIND_D3D) {
        m_Owner.ClearMode();
    }
    m_Player.SetLoop(m_Game.GetHWnd());
    // A movie that does not open is not running: the first update ends the mode.
    if (m_Player.Open(kMovieFile)) {
        m_Player.Run();
    }
    m_Player.SetVolume(m_Game.GetSystemData().m_MusicVolume * 10);
    m_Game.SetDrawEnabled(false);
}

void CMovieMode::OnMovieFrame() {
    if (m_Done) return;
    if (!m_Game.IsWindowActive()) {
        if (!m_Player.CheckState()) m_Player.Pause();
    } else if (m_Player.CheckState()) {
        m_Player.Run();
    }
    if (m_Game.IsDrawEnabled()) return;
    m_Player.UpdateFrame();
    CScreenRenderer* renderer = m_Game.GetRenderer();
    if (renderer && renderer->BeginScene()) {
        renderer->Clear(kBlack);
        m_Player.DrawFrame(*renderer);
        renderer->EndScene();
        renderer->Present();
    }
}

void CMovieMode::Update() {
    if (m_Done) return;
    const bool running = m_Player.IsRunning();
    const uint32_t duration = m_Player.GetDurationMs();
    const bool atEnd = duration > 0 && m_Player.GetPositionMs() + kEndMarginMs >= duration;
    if (!running || atEnd || IsCancelPressed()) {
        _End();
    }
}

void CMovieMode::_End() {
    m_Player.StopGraph();
    m_Owner.ClearMode();
    m_Done = 1;
    m_Game.SetDrawEnabled(true);
}

void CMovieMode::Draw() {
    if (CScreenRenderer* renderer = m_Game.GetRenderer()) renderer->Clear(kBlack);
}
