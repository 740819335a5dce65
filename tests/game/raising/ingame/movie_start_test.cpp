// The developer start "--movie": the kept in-game scene plays mode 19 alone and the
// program ends with it.
#include "tests/game/raising/ingame/InGameTestUtil.h"

#include "engine/base/Keyboard.h"
#include "game/raising/ingame/BasicModes.h"
#include "tests/support/movie/MovieTestUtil.h"

namespace {

using namespace ingametest;

class MovieStartTest : public InGameFixture {};

TEST_F(MovieStartTest, TheKeptScenePlaysTheMovieAloneAndEndsTheProgramAfterIt) {
    Build({}, [](const std::string& folder) { movietest::WriteMovie(folder, movietest::SClip{.audio = false}); });
    kept->SetSoloMode(CMovieMode::kModeId);
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
