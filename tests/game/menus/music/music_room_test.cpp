// The music room on the demo data, frame by frame with injected input: the track list,
// the controls and modes, the end of a track in each mode, the sound bank's silence and
// its return on every way out, and the guards against endless searches and reloads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/draw/SceneManager.h"
#include "engine/sound/FadeSound.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBank.h"
#include "game/core/BgmList.h"
#include "game/core/SceneFactory.h"
#include "game/core/SystemData.h"
#include "game/menus/music/MusicRoomScene.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"

namespace {

using Room = CMusicRoomScene;
constexpr int32_t kCaller = 7;
constexpr uint32_t kTuneMs = 1000;

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

struct CQuietLog {
    CQuietLog() { SetDebugOutputEnabled(false); }
    ~CQuietLog() { SetDebugOutputEnabled(true); }
};

class MusicRoomTest : public ::testing::Test {
protected:
    MusicRoomTest() : d(MakeSetup()) {}
    ~MusicRoomTest() override { CRandom::SetDefaultSeedForTests(0); }

    screentest::CGameDriver::SSetup MakeSetup() {
        screentest::CGameDriver::SSetup s;
        s.sceneFactory = &m_Factory;
        s.channelSounds = false;
        s.prepare = [this](const std::string& folder) {
            demo::CDemoWriter out(folder);
            demo::WriteSharedData(out);
            demo::WriteMusicRoomData(out, kTuneMs);
            m_Sheets = out.Sheets();
            m_Files = out.Files();
        };
        return s;
    }

    // The room called from a stand-in, with the given tracks unlocked.
    void Enter(std::initializer_list<int32_t> unlocked) {
        for (int32_t n : unlocked) d.Game().GetSystemData().SetMusicUnlock(n, 1);
        d.Start(kCaller);
        d.Frame();
        Manager().Call(Room::kSceneId);
        Manager().Transition(0, 0);
        Idle();
        ASSERT_NE(R(), nullptr);
    }
    void EnterAll() {
        for (int32_t n = 0; n < Room::kTrackCount; ++n) d.Game().GetSystemData().SetMusicUnlock(n, 1);
        Enter({});
    }
    CSceneManager& Manager() { return d.Game().GetSceneManager(); }
    Room* R() { return dynamic_cast<Room*>(Manager().GetCurrentScene()); }
    CFadeSound& Music() { return *d.Game().GetChannel(Room::kMusicChannel); }
    // A frame with the pointer off every button.
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
    std::string File(int32_t n) { return LoadBgmList()[static_cast<size_t>(n)]; }
    // Playing track n, as the room and the channel see it.
    ::testing::AssertionResult Plays(int32_t n) {
        if (!R()->IsPlaying() || R()->GetTrack() != n) {
            return ::testing::AssertionFailure() << "room on track " << R()->GetTrack() << " playing "
                                                 << R()->IsPlaying();
        }
        if (!Music().IsPlaying() || Music().GetFileName() != File(n)) {
            return ::testing::AssertionFailure() << "channel " << Music().GetFileName();
        }
        if (!R()->GetTrackButton(n).IsChecked() || !R()->GetControl(Room::CONTROL_PLAY).IsChecked()) {
            return ::testing::AssertionFailure() << "buttons";
        }
        return ::testing::AssertionSuccess();
    }
    screentest::CSheetProbe& Probe() {
        if (!m_ProbeFilled) {
            for (const kit::SSheetSpec& s : m_Sheets) d.Probe().Add(s);
            m_ProbeFilled = true;
        }
        return d.Probe();
    }
    // The shuffle's next draw under the seed set for the test.
    static int32_t Draw(uint32_t seed) { return static_cast<int32_t>(CRandom(seed).Random(Room::kTrackCount)); }

    CQuietLog m_Quiet;
    CFactory m_Factory;
    std::vector<kit::SSheetSpec> m_Sheets;
    std::vector<demo::SDemoFile> m_Files;
    bool m_ProbeFilled = false;
    screentest::CGameDriver d;
};

TEST_F(MusicRoomTest, TheDemoDataHoldsEveryTrackAsADistinctFile) {
    std::set<size_t> sizes;
    for (const std::string& name : LoadBgmList()) {
        auto it = std::find_if(m_Files.begin(), m_Files.end(), [&](const demo::SDemoFile& f) { return f.path == name; });
        ASSERT_NE(it, m_Files.end()) << name;
        sizes.insert(it->bytes);
    }
    EXPECT_EQ(LoadBgmList().size(), 19u);
    EXPECT_GT(sizes.size(), 10u) << "the tunes differ";
}

TEST_F(MusicRoomTest, OnlyTrackFiveUnlockedPlaysAndKeepsTrackFive) {
    Enter({5});
    Idle();
    screentest::SFrame f = d.Pixels();
    for (int32_t n = 0; n < Room::kTrackCount; ++n) {
        if (n == 5) {
            EXPECT_TRUE(Probe().ShowsCellAt(f, Room::kTrackSheet, 5, 0, Room::TrackPlace(5).x, Room::TrackPlace(5).y));
        } else {
            EXPECT_FALSE(R()->GetTrackButton(n).HasImage()) << n;
            for (int row = 0; row < 5; ++row) EXPECT_TRUE(Probe().Absent(f, Room::kTrackSheet, n, row)) << n;
        }
    }
    EXPECT_TRUE(Probe().Absent(f, Room::kTrackTitleSheet, 0, 0)) << "no title while stopped";

    Control(Room::CONTROL_PLAY);
    EXPECT_TRUE(Plays(5)) << "track 0 is locked: the search moves on to 5";
    Idle(Room::kTrackCount);
    f = d.Pixels();
    EXPECT_TRUE(Probe().ShowsCellAt(f, Room::kTrackTitleSheet, 5, 0, Room::kTrackTitlePlace.x, Room::kTrackTitlePlace.y));
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

TEST_F(MusicRoomTest, NothingUnlockedLocksThePlayerButBackAndTheTabsWork) {
    Enter({});
    for (int i = Room::CONTROL_PLAY; i <= Room::CONTROL_NEXT; ++i) EXPECT_TRUE(R()->GetControl(i).IsLocked()) << i;
    for (int i = 0; i < Room::kModeCount; ++i) EXPECT_TRUE(R()->GetModeButton(i).IsLocked()) << i;
    EXPECT_FALSE(R()->GetControl(Room::CONTROL_BACK).IsLocked());
    Control(Room::CONTROL_PLAY);
    Mode(Room::MODE_SHUFFLE);
    EXPECT_FALSE(R()->IsPlaying());
    EXPECT_FALSE(R()->IsModeOn(Room::MODE_SHUFFLE));
    // The guard: the searches give up after one round instead of turning for ever.
    EXPECT_FALSE(R()->NextUnlocked());
    EXPECT_FALSE(R()->PrevUnlocked());
    R()->PlayTrack(7);
    EXPECT_FALSE(R()->IsPlaying());
    EXPECT_FALSE(Music().IsPlaying());
    Control(Room::CONTROL_BACK);
    Idle(Room::kTransitionFrames + 2);
    EXPECT_EQ(Manager().GetCurrentSceneId(), kCaller);
}

TEST_F(MusicRoomTest, NextAndPreviousWrapAroundTheList) {
    EnterAll();
    EXPECT_TRUE(R()->GetControl(Room::CONTROL_NEXT).IsLocked()) << "locked while stopped";
    Track(18);
    EXPECT_TRUE(Plays(18));
    Idle();
    EXPECT_FALSE(R()->GetControl(Room::CONTROL_NEXT).IsLocked());
    Control(Room::CONTROL_NEXT);
    EXPECT_TRUE(Plays(0));
    for (int32_t n = 1; n < Room::kTrackCount; ++n) EXPECT_FALSE(R()->GetTrackButton(n).IsChecked()) << n;
    Idle(5);
    Control(Room::CONTROL_PREVIOUS);
    EXPECT_TRUE(Plays(18));
}

TEST_F(MusicRoomTest, TheModeDecidesWhatFollowsTheEndOfATrack) {
    constexpr uint32_t kSeed = 4242;
    struct SCase {
        int mode;  // -1: none
        int32_t after;
    };
    const SCase cases[] = {
        {-1, -1},
        {Room::MODE_REPEAT_ONE, 3},
        {Room::MODE_REPEAT_ALL, 4},
        {Room::MODE_SHUFFLE, (3 + Draw(kSeed)) % Room::kTrackCount},
    };
    EnterAll();
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.mode);
        for (int i = 0; i < Room::kModeCount; ++i) {
            if (R()->IsModeOn(i) != (i == c.mode)) Mode(i);
            Idle();
        }
        Track(3);
        ASSERT_TRUE(Plays(3));
        Idle(5);
        CRandom::SetDefaultSeedForTests(kSeed);
        Music().Stop();
        Idle();
        if (c.after < 0) {
            EXPECT_FALSE(R()->IsPlaying());
            EXPECT_EQ(R()->GetTrack(), 0);
            EXPECT_FALSE(R()->GetControl(Room::CONTROL_PLAY).IsChecked());
            EXPECT_TRUE(R()->GetControl(Room::CONTROL_STOP).IsChecked());
            for (int32_t n = 0; n < Room::kTrackCount; ++n) EXPECT_FALSE(R()->GetTrackButton(n).IsChecked()) << n;
        } else {
            EXPECT_TRUE(Plays(c.after));
        }
        CRandom::SetDefaultSeedForTests(0);
    }
}

TEST_F(MusicRoomTest, ATrackMixedToItsEndStopsThePlayerWithoutAMode) {
    EnterAll();
    Track(7);
    int frames = 0;
    while (R()->IsPlaying() && frames < 300) {
        Idle();
        ++frames;
    }
    EXPECT_FALSE(R()->IsPlaying());
    EXPECT_GE(frames, static_cast<int>(kTuneMs * 60 / 1000) - 2) << "the whole tune was heard";
    EXPECT_EQ(R()->GetTrack(), 0);
}

TEST_F(MusicRoomTest, ModesAreExclusiveAndSwitchOff) {
    EnterAll();
    Mode(Room::MODE_REPEAT_ONE);
    Idle();
    Mode(Room::MODE_SHUFFLE);
    EXPECT_TRUE(R()->IsModeOn(Room::MODE_SHUFFLE));
    EXPECT_FALSE(R()->IsModeOn(Room::MODE_REPEAT_ONE));
    EXPECT_FALSE(R()->GetModeButton(Room::MODE_REPEAT_ONE).IsChecked());
    Idle();
    Mode(Room::MODE_SHUFFLE);
    for (int i = 0; i < Room::kModeCount; ++i) EXPECT_FALSE(R()->IsModeOn(i)) << i;
    // Shuffle's play starts a drawn track.
    Mode(Room::MODE_SHUFFLE);
    Idle();
    CRandom::SetDefaultSeedForTests(99);
    Control(Room::CONTROL_PLAY);
    EXPECT_TRUE(Plays(Draw(99)));
}

TEST_F(MusicRoomTest, PauseHoldsTheTrackWhichIsNotTakenAsEnded) {
    EnterAll();
    Track(2);
    Idle(3);
    Control(Room::CONTROL_PAUSE);
    EXPECT_TRUE(R()->IsPaused());
    EXPECT_TRUE(Music().IsPaused());
    const uint32_t held = Music().GetPosition();
    Idle(90);
    EXPECT_TRUE(Plays(2)) << "a paused track has not ended";
    EXPECT_TRUE(R()->GetControl(Room::CONTROL_PAUSE).IsChecked());
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

TEST_F(MusicRoomTest, OnlyTheTabBarAndCancelMakeMenuSounds) {
    EnterAll();
    d.Sounds().Take();
    for (int i : {Room::CONTROL_PLAY, Room::CONTROL_NEXT, Room::CONTROL_PAUSE, Room::CONTROL_STOP}) {
        Control(i);
        Idle(5);
    }
    Mode(Room::MODE_REPEAT_ALL);
    Track(4);
    auto menu = [](const std::vector<std::string>& v) {
        return std::count_if(v.begin(), v.end(), [](const std::string& s) { return s == "ch0" || s == "ch1" || s == "ch2"; });
    };
    EXPECT_EQ(menu(d.Sounds().Take()), 0);
    d.Move(8 + 48 * 1 + 4, 52);
    d.Frame();
    EXPECT_EQ(d.Sounds().Take(), std::vector<std::string>{"ch1"}) << "the pointer onto a tab";
}

TEST_F(MusicRoomTest, TheSoundBankIsSilencedAndEveryWayOutRestoresIt) {
    struct SCase {
        const char* name;
        int32_t leadsTo;
    };
    const SCase cases[] = {{"back", kCaller}, {"cancel", kCaller}, {"tab", 16}};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        Manager().Reset();
        CSoundBank& bank = d.Game().GetSoundBank();
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

        EnterAll();
        Idle(14);
        EXPECT_GT(bank.GetSound(1, 5)->GetVolume(), ISound::kVolumeMin) << "a fade, not a cut";
        Idle(Room::kBankFadeMs * 60 / 1000 - 14);
        EXPECT_EQ(bank.GetSound(1, 5)->GetVolume(), ISound::kVolumeMin);
        for (int g = 0; g < CSoundBank::kGroupCount; ++g)
            for (int s = 0; s < CSoundBank::kSlotCount; ++s) ASSERT_EQ(bank.GetVolume(g, s), 0) << g << " " << s;
        Track(1);
        d.Sounds().Take();

        if (std::string(c.name) == "back") {
            Control(Room::CONTROL_BACK);
        } else if (std::string(c.name) == "cancel") {
            d.Key(27);
            d.Frame();
            EXPECT_EQ(d.Sounds().LastFrame(), std::vector<std::string>{"ch2"});
        } else {
            ClickAt(SPoint{8 + 48 * 5, 48});
            EXPECT_EQ(d.Sounds().LastFrame(), std::vector<std::string>{"ch0"});
        }
        EXPECT_TRUE(Music().IsFadingOut());
        Idle(Room::kBankFadeMs * 60 / 1000 + 1);
        EXPECT_EQ(Manager().GetCurrentSceneId(), c.leadsTo);
        EXPECT_FALSE(Music().IsPlaying());
        size_t i = 0;
        for (int g = 0; g < CSoundBank::kGroupCount; ++g)
            for (int s = 0; s < CSoundBank::kSlotCount; ++s) EXPECT_EQ(bank.GetVolume(g, s), before[i++]) << g << " " << s;
        EXPECT_EQ(bank.GetSound(1, 5)->GetVolume(), heard);
        bank.Unload(1, 5);
    }
}

TEST_F(MusicRoomTest, AMissingTrackFileIsPassedOverOnceNotReloadedEveryFrame) {
    std::filesystem::remove(d.Folder() + "bgm/bgm_003.ogg");
    CLogCapture log;
    auto failures = [&] {
        const std::vector<std::string> lines = log.GetLines();
        return std::count_if(lines.begin(), lines.end(),
                             [](const std::string& l) { return l.find("CMusicRoomScene::PlayTrack()") != std::string::npos; });
    };
    Enter({2});
    Mode(Room::MODE_REPEAT_ONE);
    Idle();
    Track(2);
    Idle(30);
    EXPECT_FALSE(R()->IsPlaying()) << "nothing else to play";
    EXPECT_EQ(failures(), 1);
    EXPECT_TRUE(R()->GetTrackButton(2).IsLocked());
    Control(Room::CONTROL_PLAY);
    Idle(30);
    EXPECT_EQ(failures(), 1) << "not tried again in this visit";
}

TEST_F(MusicRoomTest, AMissingTrackWithOthersUnlockedMovesOnToTheNext) {
    std::filesystem::remove(d.Folder() + "bgm/bgm_003.ogg");
    Enter({2, 9});
    Mode(Room::MODE_REPEAT_ONE);
    Idle();
    Track(2);
    EXPECT_TRUE(Plays(9));
    Music().Stop();
    Idle();
    EXPECT_TRUE(Plays(9)) << "repeat one goes on with the track that plays";
}

}  // namespace
