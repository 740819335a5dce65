#pragma once
// In-game mode 6: the month's seasonal event.  Load chooses the kind by the month and
// chance; Update announces it with up to three pictures (the first zooms and spins
// in), plays the event of occasion (2, kind − 1) and, for kinds 2, 5 and 6, when the
// girl passes an ability test, the second event (2, kind + 7), writing each outcome
// into the status record.  The screen runs hosted by CG000ModeState over the stage.
#include <array>
#include <cstdint>
#include <memory>

#include "engine/base/Counter.h"
#include "engine/base/Matrix.h"
#include "engine/draw/ImagePlane.h"
#include "game/raising/ingame/ModeState.h"

class CRandom;

class CG000Scene : public CModeState {
public:
    static constexpr const char* kSheets[3] = {"obj\\g000_001.bmp", "obj\\g000_002.bmp", "obj\\g000_003.bmp"};
    static constexpr int32_t kSheetCells = 8;
    static constexpr SPoint kPictureAt[3] = {{216, 32}, {0, 144}, {0, 304}};
    static constexpr const char* kNightBackground = "bg\\bg00m.bmp";
    static constexpr int32_t kModeId = 6;
    static constexpr int32_t kFirstWait = 200;
    static constexpr int32_t kSecondWait = 500;
    // The flag words the outcomes raise.
    static constexpr int kFlagCold = 32;
    static constexpr int kFlagEpidemic = 33;
    static constexpr int kFlagGod = 34;

    // A picture's state.
    enum EPicture { kClosed = 0, kOpening = 1, kOpen = 2, kClosing = 3 };

    explicit CG000Scene(CRaisingScene& owner);
    ~CG000Scene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void SaveState(CGameState& state) override;
    void LoadState(const CGameState& state) override;
    void PrepareThumbnail() override;

    // The ability test of ability i (0..3): a base by the help level, a bonus by the
    // mastery, then a chance draw from the run's one generator.
    bool RollAbility(int i);
    // That generator (tests seed it).
    static CRandom& AbilityRandom();
    // The chance draw: Random(101), drawn again while it equals t; passes below t.
    static bool Chance(CRandom& random, int32_t t);
    // 100 − trunc(contentment × c), held to 0..100.
    static int32_t ContentChance(int32_t contentment, double c);
    // Picture 1's turn in 512ths: it turns twice while the counter runs 2048 → 1024.
    static int32_t TurnAngle(int32_t turn);
    // Picture 1's transform while it moves: scaled and turned about its centre, then
    // placed at its place.
    static CMatrix4 TurnMatrix(int32_t scale, int32_t turn, int32_t width, int32_t height);

    int32_t GetState() const { return m_State; }
    int32_t GetKind() const { return m_Kind; }
    int32_t GetTimer() const { return m_Timer; }
    bool IsThirdShown() const { return m_Third; }
    int32_t GetPictureState(int n) const { return m_Pictures[n].state; }
    int32_t GetAlpha(int n) const { return m_Pictures[n].alpha.GetValue(); }
    int32_t GetScale() const { return m_Scale.GetValue(); }
    int32_t GetTurn() const { return m_Turn.GetValue(); }

private:
    struct SPicture {
        CImagePlane plane;
        int32_t state = kClosed;
        CCounterLinear alpha;
    };

    int32_t _ChooseKind();
    void _BuildPictures();
    void _Open(int n);
    void _Close(int n);
    void _SetOpen(int n);
    void _StepPicture(int n);
    bool _IsStill(int n, int32_t state) const { return m_Pictures[n].state == state; }
    bool _TestAbility();
    void _ApplyOutcome();

    int32_t m_State = 0;
    int32_t m_Timer = 0;
    int32_t m_Kind = 0;
    bool m_Third = false;
    std::array<SPicture, 3> m_Pictures;
    CCounterLinear m_Scale;
    CCounterAccel m_Turn;
};

// The host of mode 6: the stage first, then the screen; its Load turns the stage's
// message window on after the screen's.
class CG000ModeState : public CModeHostState {
public:
    explicit CG000ModeState(CRaisingScene& owner);
    void Load() override;
    CG000Scene& GetScene() { return static_cast<CG000Scene&>(*m_Screen); }
};
using CG000HostMode = CG000ModeState;
