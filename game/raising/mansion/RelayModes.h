#pragma once
// Mansion modes 9 to 17 (the relays to modes 0 to 8) and 18 (the exit).  Both show
// black while the stage is cleared behind them: a relay then sends the machine on to
// its target with a transition, the exit ends the in-game mode 16.
#include <cstdint>

#include "game/raising/mansion/MansionMode.h"

class CMansionRelayMode : public CMansionMode {
public:
    CMansionRelayMode(CMansionHostMode& host, int32_t id) : CMansionMode(host), m_Target(id - 9) {}

    // Every slide-panel picture slides out.
    void Load() override;
    void Update() override;
    void Draw() override;
    void PrepareThumbnail() override { Draw(); }

    int32_t GetTarget() const { return m_Target; }

private:
    int32_t m_Target;
    bool m_Sent = false;
};

class CMansionExitMode : public CMansionMode {
public:
    static constexpr int32_t kMusicFadeMs = 800;
    using CMansionMode::CMansionMode;

    // The stage's music fades out; every slide-panel picture slides out.
    void Load() override;
    void Update() override;
    void Draw() override;
    void PrepareThumbnail() override { Draw(); }

private:
    int32_t m_Step = 0;
};
