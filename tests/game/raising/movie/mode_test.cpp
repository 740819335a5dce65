#include <gtest/gtest.h>

#include <functional>

#include "engine/base/Log.h"
#include "engine/base/Thread.h"
#include "engine/draw/SceneManager.h"
#include "game/core/SystemData.h"
#include "game/raising/movie/MovieMode.h"
#include "tests/game/core/app/GameTestUtil.h"
#include "tests/game/core/app/HostApp.h"
#include "tests/support/TestSupport.h"
#include "tests/support/movie/MovieTestUtil.h"

using namespace gametest;
using namespace movietest;
using testsupport::CGameFolderScope;
using testsupport::CQuietLog;
using testsupport::CTempDir;

namespace {

class CD3DKindRenderer : public CFakeRenderer {
public:
    using CFakeRenderer::CFakeRenderer;
    EKind GetKind() const override { return KIND_D3D; }
};

// The screen renderer of the game becomes a recording fake reporting `kind`.
class CRendererScope {
public:
    CRendererScope(CRecord* record, bool* lost, CScreenRenderer::EKind kind) {
        CScreenRendererProxy::SetForceGdi(true);
        CScreenRendererProxy::SetGdiRendererFactory([=]() -> std::unique_ptr<CScreenRenderer> {
            if (kind == CScreenRenderer::KIND_D3D) return std::make_unique<CD3DKindRenderer>(record, lost);
            return std::make_unique<CFakeRenderer>(record, lost);
        });
    }
    ~CRendererScope() {
        CScreenRendererProxy::SetGdiRendererFactory(nullptr);
        CScreenRendererProxy::SetForceGdi(false);
    }
};

class COwner : public IMovieModeOwner {
public:
    void ClearMode() override { ++clears; }
    int clears = 0;
};

CGameMain::SOptions GameOptions(IFrameClock* clock, ISceneFactory* factory) {
    CGameMain::SOptions o;
    o.clock = clock;
    o.manualSound = true;
    o.reportPath = "";
    o.sceneFactory = factory;
    return o;
}

class MovieModeTest : public ::testing::Test {
protected:
    explicit MovieModeTest(CScreenRenderer::EKind kind = CScreenRenderer::KIND_D3D)
        : m_Folder(m_Temp.Path()),
          m_Renderer(&m_Draws, &m_Lost, kind),
          m_Factory(&m_Scenes),
          m_Game(GameOptions(&m_FrameClock, &m_Factory)) {}

    std::unique_ptr<CMovieMode> MakeMode() {
        CMoviePlayer::SOptions o;
        o.clock = &m_Clock;
        return std::make_unique<CMovieMode>(m_Owner, m_Game, o);
    }
    // One frame as the in-game scene runs it: the frame loop (hook and draw), then the
    // mode's update.
    void Frame(CMovieMode& mode) {
        ASSERT_TRUE(m_Game.RunFrame());
        TakeDuePictures(mode.GetPlayer());
        mode.Update();
    }
    size_t Count(const std::string& what) const { return std::count(m_Draws.begin(), m_Draws.end(), what); }

    CQuietLog m_Quiet;
    CTempDir m_Temp;
    CGameFolderScope m_Folder;
    CRecord m_Draws;
    CRecord m_Scenes;
    bool m_Lost = false;
    CRendererScope m_Renderer;
    CRecFactory m_Factory;
    CFakeClock m_FrameClock;
    CStepClock m_Clock;
    COwner m_Owner;
    CGameMain m_Game;
};

TEST_F(MovieModeTest, PlaysWithoutTheFrameLoopsDrawAndEndsTwentyMsBeforeItsLength) {
    WriteMovie(m_Temp.Path(), SClip{.audio = false});
    const size_t threadsBefore = CThreadList::Get().GetCount();
    auto mode = MakeMode();
    mode->Load();
    EXPECT_EQ(m_Owner.clears, 0);
    EXPECT_EQ(m_Game.GetMovieHook(), mode.get());
    EXPECT_FALSE(m_Game.IsDrawEnabled());
    EXPECT_TRUE(mode->GetPlayer().IsRunning());
    EXPECT_EQ(mode->GetPlayer().GetLoop(), m_Game.GetHWnd());

    const uint64_t draws = m_Game.GetDrawCount();
    m_Draws.clear();
    Frame(*mode);
    EXPECT_EQ(m_Game.GetDrawCount(), draws) << "the frame loop draws nothing while the movie plays";
    EXPECT_EQ(Count("Present"), 1u) << "the hook shows the movie";

    const uint32_t duration = mode->GetPlayer().GetDurationMs();
    m_Clock.Advance(duration - CMovieMode::kEndMarginMs - 1);
    Frame(*mode);
    EXPECT_FALSE(mode->IsDone());
    m_Clock.Advance(1);
    Frame(*mode);
    EXPECT_TRUE(mode->IsDone());
    EXPECT_EQ(m_Owner.clears, 1);
    EXPECT_TRUE(m_Game.IsDrawEnabled());
    EXPECT_FALSE(mode->GetPlayer().IsDecoding());
    EXPECT_EQ(CThreadList::Get().GetCount(), threadsBefore);

    m_Draws.clear();
    Frame(*mode);
    EXPECT_EQ(m_Game.GetDrawCount(), draws + 1) << "the frame loop draws again";
    EXPECT_EQ(Count("Present"), 1u) << "the hook of an ended movie shows nothing";
    EXPECT_EQ(m_Owner.clears, 1);
}

TEST_F(MovieModeTest, TheCancelInputEndsTheMovieAtOnce) {
    WriteMovie(m_Temp.Path(), SClip{.audio = false});
    auto mode = MakeMode();
    mode->Load();
    Frame(*mode);
    EXPECT_FALSE(mode->IsDone());
    m_Game.GetKeyboard().KeyDown(VKey::kEscape);
    Frame(*mode);
    EXPECT_TRUE(mode->IsDone());
    EXPECT_EQ(m_Owner.clears, 1);
    EXPECT_FALSE(mode->GetPlayer().IsRunning());
    EXPECT_TRUE(m_Game.IsDrawEnabled());
}

TEST_F(MovieModeTest, AMissingMovieEndsTheModeOnItsFirstUpdate) {
    CLogCapture log;
    auto mode = MakeMode();
    mode->Load();
    EXPECT_TRUE(log.Contains("CMoviePlayer::Open()"));
    mode->Update();
    EXPECT_TRUE(mode->IsDone());
    EXPECT_EQ(m_Owner.clears, 1);
    EXPECT_TRUE(m_Game.IsDrawEnabled());
}

TEST_F(MovieModeTest, DestroyedBeforeItsEndTheModeGivesTheDrawBackAndLeavesTheHook) {
    WriteMovie(m_Temp.Path(), SClip{.audio = false});
    auto mode = MakeMode();
    mode->Load();
    Frame(*mode);
    ASSERT_FALSE(m_Game.IsDrawEnabled());
    mode.reset();
    EXPECT_TRUE(m_Game.IsDrawEnabled());
    EXPECT_EQ(m_Game.GetMovieHook(), nullptr);
    const uint64_t draws = m_Game.GetDrawCount();
    ASSERT_TRUE(m_Game.RunFrame());
    EXPECT_EQ(m_Game.GetDrawCount(), draws + 1);
}

TEST_F(MovieModeTest, TheMovieVolumeIsTheMusicVolumeTimesTen) {
    WriteMovie(m_Temp.Path(), SClip{.frames = 5});
    for (int music : {100, 0}) {
        m_Game.GetSystemData().m_MusicVolume = music;
        auto mode = MakeMode();
        mode->Load();
        ASSERT_TRUE(mode->GetPlayer().HasSound());
        EXPECT_EQ(mode->GetPlayer().GetVolumeDb(), music == 100 ? 0 : -10000);
    }
}

class MovieModeGdiTest : public MovieModeTest {
protected:
    MovieModeGdiTest() : MovieModeTest(CScreenRenderer::KIND_GDI) {}
};

TEST_F(MovieModeGdiTest, WithoutDirect3DTheModeIsClearedAtOnceYetStartsTheMovie) {
    WriteMovie(m_Temp.Path(), SClip{.audio = false});
    auto mode = MakeMode();
    mode->Load();
    EXPECT_EQ(m_Owner.clears, 1);
    EXPECT_TRUE(mode->GetPlayer().IsRunning());
    EXPECT_FALSE(m_Game.IsDrawEnabled());
    // The owner removes the cleared mode at its next update.
    mode.reset();
    EXPECT_TRUE(m_Game.IsDrawEnabled());
}

TEST(MovieModeWindow, TheHookPausesTheMovieWhileTheWindowIsInactiveAndRunsItWhenBack) {
    CQuietLog quiet;
    CTempDir temp;
    CGameFolderScope folder(temp.Path());
    WriteMovie(temp.Path(), SClip{.audio = false});
    CRecord draws, scenes;
    bool lost = false;
    CRendererScope renderer(&draws, &lost, CScreenRenderer::KIND_D3D);
    CRecFactory factory(&scenes);
    struct {
        bool pausedInactive = false, runningBack = false, doneBack = true;
        uint32_t positionInactive = 0, positionAfter = 1;
    } seen;
    CHostApp app([&](CHostApp& self) {
        CFakeClock frameClock;
        CStepClock clock;
        COwner owner;
        CGameMain game(GameOptions(&frameClock, &factory));
        CMovieMode mode(owner, game, CMoviePlayer::SOptions{.clock = &clock});
        mode.Load();
        game.RunFrame();
        clock.Advance(100);
        PushWindowEvent(self.GetHWnd(), SDL_WINDOWEVENT_FOCUS_LOST);
        game.RunFrame();
        seen.pausedInactive = mode.GetPlayer().CheckState();
        seen.positionInactive = mode.GetPlayer().GetPositionMs();
        clock.Advance(500);
        game.RunFrame();
        seen.positionAfter = mode.GetPlayer().GetPositionMs();
        PushWindowEvent(self.GetHWnd(), SDL_WINDOWEVENT_FOCUS_GAINED);
        game.RunFrame();
        mode.Update();
        seen.runningBack = mode.GetPlayer().IsRunning();
        seen.doneBack = mode.IsDone();
        return 0;
    });
    ASSERT_TRUE(app.Run());
    ASSERT_TRUE(app.Wait());
    EXPECT_TRUE(seen.pausedInactive);
    EXPECT_EQ(seen.positionInactive, 100u);
    EXPECT_EQ(seen.positionAfter, 100u) << "no time passes while inactive";
    EXPECT_TRUE(seen.runningBack);
    EXPECT_FALSE(seen.doneBack) << "the mode's update sees the resumed movie running";
}

}  // namespace
