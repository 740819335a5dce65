#pragma once
// The two looping ambient sounds that the opening starts and the title menu keeps:
// channel 5 (30 % of the effects volume) and channel 6 (20 %).
class CGameMain;

struct SAmbient {
    static constexpr const char* kFiles[2] = {"se\\se_263.ogg", "se\\se_476.ogg"};
    static constexpr int kChannels[2] = {5, 6};
    static constexpr int kShares[2] = {30, 20};
    static constexpr int kFadeOutMs = 500;
};

// Loads and starts both channels with a fade-in over `fadeInMs`.  With `keepPlaying`
// a channel that still plays is left alone; one that is fading out counts as silent,
// since it would otherwise fall silent under the screen that wanted it.
void StartAmbient(CGameMain& game, int fadeInMs, bool keepPlaying);
// Both channels fade out (a screen leaves the title).
void FadeOutAmbient(CGameMain& game);
