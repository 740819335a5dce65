// The music room on the demo data, frame by frame with injected input: the track list,
// the controls and modes, the end of a track in each mode, the sound bank's silence and
// its return on every way out, and the guards against endless searches and reloads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/FadeSound.h"
#include "game/core/BgmList.h"
#include "game/core/SceneFactory.h"
#include "game/core/SystemData.h"
#include "game/menus/music/MusicRoomScene.h"
#include "tests/support/TestSupport.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"

namespace {

using Room = CMusicRoomScene;
constexpr int32_t kCaller = 7;
constexpr uint32_t kTuneMs = 1000;
constexpr int kBankFadeFrames = Room::kBankFadeMs * 60 / 1000;

// Every scene but the music room is a stand-in that stays where it is.
class CStandIn : public CSceneBase, public CSceneObjectBase {};

class CFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (id != Room::kSceneId) return std::make_unique<CStandIn>();
        if (!m_Real) m_Real = std::make_unique<CSceneFactory>(*GetGameMain());
        return m_Real->CreateScene(id);
    }
    void Release(std::unique_ptr<CSceneBase> object) override { object.reset(); }

private:
    std::unique_ptr<CSceneFactory> m_Real;
};

class MusicRoomTest : public ::testing::Test {
protected:
    MusicRoomTest() : d(MakeSetup()) {}
    ~MusicRoomTest() override {
        testsupport::RestoreTestSeed();
        SetDebugOutputEnabled(true);
    }
    screentest::CGameDriver::SSetup MakeSetup() {
        SetDebugOutputEnabled(false);
        screentest::CGameDriver::SSetup s;
        s.sceneFactory = &m_Factory;
        s.channelSounds = false;
        s.prepare = [this](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteMusicRoomData(out, kTuneMs);
            for (const kit::SSheetSpec& sheet : out.Sheets()) d.Probe().Add(sheet);
            m_Files = out.Files();
        };
        return s;
    }
    // The room called from a stand-in, with the given tracks unlocked (-1: all), by a cut
    // or by transition 1 over `frames` (left running).
    void Enter(std::initializer_list<int32_t> unlocked, int32_t frames = 0) {
        for (int32_t n : unlocked) {
            for (int32_t t = 0; t < Room::kTrackCount; ++t) {
                if (n < 0 || n == t) d.Game().GetSystemData().SetMusicUnlock(t, 1);
            }
        }
        d.Start(kCaller);
        d.Frame();
        Manager().Call(Room::kSceneId);
        Manager().Transition(frames > 0 ? 1 : 0, frames);
        Idle();
        ASSERT_NE(R(), nullptr);
    }
    CSceneManager& Manager() { return d.Game().GetSceneManager(); }
    Room* R() { return dynamic_cast<Room*>(Manager().GetCurrentScene()); }
    CFadeSound& Music() { return *d.Game().GetChannel(Room::kMusicChannel); }
    // Frames with the pointer off every button.
    void Idle(int n = 1) {
        d.Move(790, 590);
        d.Frame(n);
    }
    void ClickAt(SPoint p) {
        d.Click(p.x + 4, p.y + 4);
        d.Frame();
    }
    void Control(int i) { ClickAt(Room::kControlPlaces[static_cast<size_t>(i)]); }
    void Mode(int i) { ClickAt(Room::kModePlaces[static_cast<size_t>(i)]); }
    void Track(int32_t n) { ClickAt(Room::TrackPlace(n)); }
    // Playing track n, as the room, its buttons and the channel see it.
    ::testing::AssertionResult Plays(int32_t n) {
        if (!R()->IsPlaying() || R()->GetTrack() != n) {
            return ::testing::AssertionFailure() << "room on " << R()->GetTrack() << " playing " << R()->IsPlaying();
        }
        if (!Music().IsPlaying() || Music().GetFileName() != LoadBgmList()[static_cast<size_t>(n)]) {
            return ::testing::AssertionFailure() << "channel " << Music().GetFileName();
        }
        if (!R()->GetTrackButton(n).IsChecked() || !R()->GetControl(Room::CONTROL_PLAY).IsChecked()) {
            return ::testing::AssertionFailure() << "buttons";
        }
        return ::testing::AssertionSuccess();
    }
    // The shuffle's draw under a seed.
    static int32_t Draw(uint32_t seed) { return static_cast<int32_t>(CRandom(seed).Random(Room::kTrackCount)); }

    CFactory m_Factory;
    std::vector<demo::SDemoFile> m_Files;
    screentest::CGameDriver d;
};

TEST_F(MusicRoomTest, TheDemoDataHoldsEveryTrackAsADistinctFile) {
    std::set<size_t> sizes;
    for (const std::string& name : LoadBgmList()) {
        auto it = std::find_if(m_Files.begin(), m_Files.end(), [&](const demo::SDemoFile& f) { return f.path == name; });
        ASSERT_NE(it, m_Files.end()) << name;
        sizes.insert(it->bytes);
    }
    EXPECT_GT(sizes.size(), 10u) << "the tunes differ";
}

TEST_F(MusicRoomTest, OnlyTrackFiveUnlockedPlaysAndKeepsTrackFive) {
    Enter({5});
    Idle();
    screentest::SFrame f = d.Pixels();
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, Room::kTrackSheet, 5, 0, Room::TrackPlace(5).x, Room::TrackPlace(5).y));
    for (int32_t n = 0; n < Room::kTrackCount; ++n) {
        if (n != 5) {
            EXPECT_TRUE(d.Probe().Absent(f, Room::kTrackSheet, n, 0)) << "cleared " << n;
        }
    }
    EXPECT_TRUE(d.Probe().Absent(f, Room::kTrackTitleSheet, 0, 0)) << "no title while stopped";

    Control(Room::CONTROL_PLAY);
    EXPECT_TRUE(Plays(5)) << "track 0 is locked: the search moves on to 5";
    Idle(Room::kTrackCount);
    f = d.Pixels();
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, Room::kTrackTitleSheet, 5, 0, Room::kTrackTitlePlace.x, Room::kTrackTitlePlace.y));
    for (int i : {Room::CONTROL_NEXT, Room::CONTROL_PREVIOUS}) {
        Control(i);
        EXPECT_TRUE(Plays(5)) << i;
        Idle(5);
    }
    Mode(Room::MODE_REPEAT_ALL);
    for (int round = 0; round < 2; ++round) {
        Music().Stop();
        Idle();
        EXPECT_TRUE(Plays(5)) << "repeat all replays the one track";
        EXPECT_LT(Music().GetPosition(), 100u);
    }
}

TEST_F(MusicRoomTest, NothingUnlockedLocksThePlayerButBackWorks) {
    Enter({});
    for (int i = Room::CONTROL_PLAY; i <= Room::CONTROL_NEXT; ++i) EXPECT_TRUE(R()->GetControl(i).IsLocked()) << i;
    for (int i = 0; i < Room::kModeCount; ++i) EXPECT_TRUE(R()->GetModeButton(i).IsLocked()) << i;
    Control(Room::CONTROL_PLAY);
    Mode(Room::MODE_SHUFFLE);
    EXPECT_FALSE(R()->IsPlaying());
    EXPECT_FALSE(R()->IsModeOn(Room::MODE_SHUFFLE));
    // The searches give up after one round instead of turning for ever.
    EXPECT_FALSE(R()->NextUnlocked());
    EXPECT_FALSE(R()->PrevUnlocked());
    R()->PlayTrack(7);
    EXPECT_FALSE(R()->IsPlaying());
    EXPECT_FALSE(Music().IsPlaying());
    Control(Room::CONTROL_BACK);
    Idle(Room::kTransitionFrames + 2);
    EXPECT_EQ(Manager().GetCurrentSceneId(), kCaller);
}

// A click while the incoming transition runs is not taken: a button switched on then,
// its answer skipped, would stay on without playing and refuse the click that plays.
TEST_F(MusicRoomTest, AClickDuringTheIncomingTransitionLeavesThePlayerWorking) {
    struct SCase {
        const char* name;
        std::function<void()> click;
        std::function<bool()> taken;
    };
    const SCase cases[] = {
        {"track", [this] { Track(3); }, [this] { return static_cast<bool>(Plays(3)); }},
        {"play", [this] { Control(Room::CONTROL_PLAY); }, [this] { return static_cast<bool>(Plays(0)); }},
        {"mode", [this] { Mode(Room::MODE_REPEAT_ONE); },
         [this] { return R()->IsModeOn(Room::MODE_REPEAT_ONE) && R()->GetModeButton(Room::MODE_REPEAT_ONE).IsChecked(); }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        Manager().Reset();
        Enter({-1}, Room::kTransitionFrames);
        ASSERT_TRUE(Manager().IsInTransition());
        c.click();
        EXPECT_FALSE(R()->IsPlaying());
        EXPECT_FALSE(R()->GetTrackButton(3).IsChecked());
        EXPECT_FALSE(R()->GetControl(Room::CONTROL_PLAY).IsChecked());
        EXPECT_FALSE(R()->GetModeButton(Room::MODE_REPEAT_ONE).IsChecked());
        for (int n = 0; n < 30 && Manager().IsInTransition(); ++n) Idle();
        ASSERT_FALSE(Manager().IsInTransition());
        c.click();
        EXPECT_TRUE(c.taken());
    }
}

TEST_F(MusicRoomTest, NextAndPreviousWrapAroundSilently) {
    Enter({-1});
    EXPECT_TRUE(R()->GetControl(Room::CONTROL_NEXT).IsLocked()) << "locked while stopped";
    d.Sounds().Take();
    Control(Room::CONTROL_PLAY);
    Idle();
    Track(18);
    EXPECT_TRUE(Plays(18));
    Idle();
    Control(Room::CONTROL_NEXT);
    EXPECT_TRUE(Plays(0));
    for (int32_t n = 1; n < Room::kTrackCount; ++n) EXPECT_FALSE(R()->GetTrackButton(n).IsChecked()) << n;
    Idle(5);
    Control(Room::CONTROL_PREVIOUS);
    EXPECT_TRUE(Plays(18));
    Mode(Room::MODE_REPEAT_ONE);
    for (const std::string& s : d.Sounds().Take()) {
        EXPECT_TRUE(s != "ch0" && s != "ch1" && s != "ch2") << "the player's buttons make no menu sound: " << s;
    }
}

TEST_F(MusicRoomTest, TheModeDecidesWhatFollowsTheEndOfATrack) {
    constexpr uint32_t kSeed = 4242;
    const struct {
        int mode;  // -1: none
        int32_t after;
    } cases[] = {{Room::MODE_REPEAT_ONE, 3},
                 {Room::MODE_REPEAT_ALL, 4},
                 {Room::MODE_SHUFFLE, (3 + Draw(kSeed)) % Room::kTrackCount},
                 {-1, -1}};
    Enter({-1});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        // A mode replaces the one before; the active one's button switches it off.
        for (int i = 0; i < Room::kModeCount; ++i) {
            if (i == c.mode || (c.mode < 0 && R()->IsModeOn(i))) Mode(i);
        }
        for (int i = 0; i < Room::kModeCount; ++i) {
            EXPECT_EQ(R()->IsModeOn(i), i == c.mode) << "one mode at most";
            EXPECT_EQ(R()->GetModeButton(i).IsChecked(), i == c.mode);
        }
        Track(3);
        ASSERT_TRUE(Plays(3));
        Idle(5);
        CRandom::SetDefaultSeedForTests(kSeed);
        Music().Stop();
        Idle();
        testsupport::RestoreTestSeed();
        if (c.after >= 0) {
            EXPECT_TRUE(Plays(c.after));
            continue;
        }
        EXPECT_FALSE(R()->IsPlaying());
        EXPECT_EQ(R()->GetTrack(), 0);
        EXPECT_TRUE(R()->GetControl(Room::CONTROL_STOP).IsChecked());
        for (int32_t n = 0; n < Room::kTrackCount; ++n) EXPECT_FALSE(R()->GetTrackButton(n).IsChecked()) << n;
    }
    // Play under shuffle starts a drawn track.
    Mode(Room::MODE_SHUFFLE);
    CRandom::SetDefaultSeedForTests(99);
    Control(Room::CONTROL_PLAY);
    EXPECT_TRUE(Plays(Draw(99)));
}

TEST_F(MusicRoomTest, ATrackMixedToItsEndStopsThePlayerWithoutAMode) {
    Enter({-1});
    Track(7);
    int frames = 0;
    for (; R()->IsPlaying() && frames < 300; ++frames) Idle();
    EXPECT_FALSE(R()->IsPlaying());
    EXPECT_GE(frames, static_cast<int>(kTuneMs * 60 / 1000) - 2) << "the whole tune was heard";
}

TEST_F(MusicRoomTest, PauseHoldsTheTrackWhichIsNotTakenAsEnded) {
    Enter({-1});
    Track(2);
    Idle(3);
    Control(Room::CONTROL_PAUSE);
    EXPECT_TRUE(R()->IsPaused());
    EXPECT_TRUE(Music().IsPaused());
    const uint32_t held = Music().GetPosition();
    Idle(90);
    EXPECT_TRUE(Plays(2)) << "a paused track has not ended";
    EXPECT_EQ(Music().GetPosition(), held);
    Control(Room::CONTROL_PAUSE);
    EXPECT_FALSE(R()->IsPaused());
    EXPECT_FALSE(Music().IsPaused());
    EXPECT_FALSE(R()->GetControl(Room::CONTROL_PAUSE).IsChecked());

    // Pressed while the channel is silent: the button goes off, the state stays set;
    // the next press resumes nothing and clears it.
    Music().Stop();
    R()->PauseToggle();
    EXPECT_TRUE(R()->IsPaused());
    EXPECT_FALSE(R()->GetControl(Room::CONTROL_PAUSE).IsChecked());
    R()->PauseToggle();
    EXPECT_FALSE(R()->IsPaused());
    EXPECT_FALSE(Music().IsPlaying());
}

TEST_F(MusicRoomTest, TheSoundBankIsSilencedAndEveryWayOutRestoresIt) {
    const struct {
        const char* name;
        int32_t leadsTo;
        const char* sound;
    } cases[] = {{"back", kCaller, nullptr}, {"cancel", kCaller, "ch2"}, {"tab", 16, "ch0"}};
    CSoundBank& bank = d.Game().GetSoundBank();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Manager().Reset();
        // A playing slot to hear, a silent one and the rest at their defaults.
        ASSERT_TRUE(bank.Load(1, 5, "bgm\\bgm_001.ogg"));
        bank.SetVolume(1, 5, 40);
        bank.SetVolume(0, 0, 70);
        bank.SetVolume(2, 29, 0);
        bank.Play(1, 5, 0, 0, 0);
        const int32_t heard = bank.GetSound(1, 5)->GetVolume();
        std::vector<int> before;
        for (int g = 0; g < CSoundBank::kGroupCount; ++g)
            for (int s = 0; s < CSoundBank::kSlotCount; ++s) before.push_back(bank.GetVolume(g, s));

        Enter({-1});
        Idle(kBankFadeFrames / 2);
        EXPECT_GT(bank.GetSound(1, 5)->GetVolume(), ISound::kVolumeMin) << "a fade, not a cut";
        Idle(kBankFadeFrames - kBankFadeFrames / 2);
        EXPECT_EQ(bank.GetSound(1, 5)->GetVolume(), ISound::kVolumeMin);
        for (int g = 0; g < CSoundBank::kGroupCount; ++g)
            for (int s = 0; s < CSoundBank::kSlotCount; ++s) ASSERT_EQ(bank.GetVolume(g, s), 0) << g << " " << s;
        Track(1);

        if (c.leadsTo == 16) {
            ClickAt(SPoint{8 + 48 * 5, 48});
        } else if (c.sound) {
            d.Key(27);
            d.Frame();
        } else {
            Control(Room::CONTROL_BACK);
        }
        EXPECT_EQ(d.Sounds().LastFrame(), c.sound ? std::vector<std::string>{c.sound} : std::vector<std::string>{});
        EXPECT_TRUE(Music().IsFadingOut());
        Idle(kBankFadeFrames + 1);
        EXPECT_EQ(Manager().GetCurrentSceneId(), c.leadsTo);
        EXPECT_FALSE(Music().IsPlaying());
        for (size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(bank.GetVolume(static_cast<int>(i) / CSoundBank::kSlotCount,
                                     static_cast<int>(i) % CSoundBank::kSlotCount),
                      before[i])
                << i;
        }
        EXPECT_EQ(bank.GetSound(1, 5)->GetVolume(), heard);
        bank.Unload(1, 5);
    }
}

TEST_F(MusicRoomTest, AMissingTrackFileIsPassedOverNotReloadedEveryFrame) {
    // Track 2's file is missing; track 9, when unlocked, is there to move on to.
    for (bool other : {false, true}) {
        SCOPED_TRACE(other);
        Manager().Reset();
        std::filesystem::remove(d.Folder() + "bgm/bgm_003.ogg");
        CLogCapture log;
        Enter({2, other ? 9 : 2});
        Mode(Room::MODE_REPEAT_ONE);
        Idle();
        Track(2);
        EXPECT_TRUE(other ? Plays(9) : !R()->IsPlaying());
        EXPECT_TRUE(R()->GetTrackButton(2).IsLocked());
        Music().Stop();
        Idle(30);
        Control(Room::CONTROL_PLAY);
        Idle(30);
        EXPECT_TRUE(other ? Plays(9) : !R()->IsPlaying());
        const std::vector<std::string> lines = log.GetLines();
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& l) { return l.find("CMusicRoomScene::PlayTrack()") == 0; }),
                  1)
            << "tried once in the visit";
    }
}

}  // namespace
