// The developer start "--movie": the kept in-game scene plays mode 19 alone and the
// program ends with it.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include "engine/base/Keyboard.h"
#include "game/raising/ingame/BasicModes.h"
#include "game/raising/ingame/InGameStart.h"
#include "tests/support/movie/MovieTestUtil.h"

namespace {

using namespace ingametest;

// The game built as the program builds it for "--movie": every in-game scene from the
// maker of that start.
class MovieStartTest : public InGameFixture {
protected:
    void BuildMovieStart() {
        screentest::CGameDriver::SSetup s = MakeSetup(
            {}, [](const std::string& folder) { movietest::WriteMovie(folder, movietest::SClip{.audio = false}); });
        const CGameMain::InGameSceneMaker movieStart = MakeInGameSceneMaker(CMovieMode::kModeId);
        s.inGameSceneMaker = [this, movieStart](CGameMain& game, bool fresh) {
            std::unique_ptr<IInGameScene> scene = movieStart(game, fresh);
            if (!fresh) kept = dynamic_cast<CRaisingScene*>(scene.get());
            return scene;
        };
        dp = std::make_unique<screentest::CGameDriver>(s);
    }
};

TEST_F(MovieStartTest, TheKeptScenePlaysTheMovieAloneAndEndsTheProgramAfterIt) {
    BuildMovieStart();
    ASSERT_NE(kept, nullptr);
    D().Start(19);
    ASSERT_TRUE(D().Frame());
    auto* mode = dynamic_cast<CMovieModeState*>(kept->GetCurrentMode());
    ASSERT_NE(mode, nullptr);
    EXPECT_TRUE(mode->GetMovie().GetPlayer().IsRunning());
    EXPECT_FALSE(D().Game().IsDrawEnabled());
    D().Key(VKey::kEscape);
    ASSERT_TRUE(RunUntil([this] { return D().Game().IsEndRequested(); }, 5));
    EXPECT_TRUE(D().Game().IsDrawEnabled());
    EXPECT_EQ(kept->GetStep(), 0) << "the step machine does not run";
}

}  // namespace
