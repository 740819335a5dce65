#pragma once
// The stage's side of text display: how a script's line or balloon reaches the message
// window with the reveal speed of the settings, when a line is skipped, which line's
// voice plays in voice slot (2, 0), and when a shown line or balloon holds the script.
#include <array>
#include <cstdint>
#include <string>

#include "game/core/SaveRecordStrings.h"

class CMainGameScene;

// What the stage keeps of one balloon beside its line.
struct SBalloonState {
    int32_t shape = 0;          // the value of the balloon command: its shape
    bool closeOnAdvance = false;
    bool advanced = false;
    bool voiced = false;
    int32_t revealStep = 1;
    bool timed = false;
    int32_t interval = 10;
    int32_t x = 0;
    int32_t y = 0;
    int32_t inEffect = 0;
    int32_t inFrames = 0;
    int32_t outEffect = 0;
    int32_t outFrames = 0;
};

class CMessageState {
public:
    static constexpr int32_t kBalloonCount = 11;

    explicit CMessageState(CMainGameScene& stage);

    // No line, no balloon state, the counter 0.
    void Reset();

    void ShowMessage(const CSaveRecordStrings& line);
    void ShowBalloon(int32_t index, int32_t shape, const CSaveRecordStrings& line, bool closeOnAdvance);
    // A line of another screen (no script): shown as ShowMessage does, with or without
    // its voice, and the talk-text flag set.
    void ShowOtherLine(const CSaveRecordStrings& line, bool voice);

    // One frame of the display: true while it holds the script.
    bool Step();
    // The last step held the script.
    bool IsActive() const { return m_Active; }
    // A line or balloon now shown would hold the script (no input taken).
    bool IsHolding() const;
    // The window's line is busy or the line-shown flag is set.
    bool IsBusyOrFlag() const;

    // The auto wait for a text of `bytes` bytes at the settings' auto speed.
    void SetAutoCounterFor(const std::string& text);
    int32_t GetAutoCounter() const { return m_AutoCounter; }

    // Plays the voice of the line that shows (the log's line, the window's line or the
    // first balloon not yet voiced); false when none plays.
    bool PlayLineVoice();
    // One line's voice in voice slot (2, 0), played once from the start.
    bool PlayVoiceEntry(const CSaveRecordStrings* line);

    // The reveal step and timing of message speed s.
    static void RevealFor(int32_t speed, int32_t* step, bool* timed, int32_t* interval);

    bool m_LineShown = false;
    bool m_TalkText = false;
    std::array<SBalloonState, kBalloonCount> m_Balloons;

    SBalloonState* GetBalloon(int32_t index);

private:
    bool _Advance() const;
    bool _AutoPaused() const;
    void _CountDown();
    bool _AutoAllows() const;
    void _StepLine(bool advance);
    bool _StepBalloons(bool advance);
    void _CloseLine();

    CMainGameScene& m_Stage;
    int32_t m_AutoCounter = 0;
    bool m_Active = false;
};
