#pragma once
// The month end over a held script: the picture dims under a half-black veil, the
// sounds the script plays fall to half, the month report shows in the message window
// three lines a page (at most three pages), then picture and sound come back and the
// script goes on.  One state per frame; the stage calls Step before it runs commands
// and holds the script while Step returns true.
//
// Nothing of the sequence is saved: it leaves the stage record as the script left it
// (the veil is not a recorded layer, the fades go to the bank alone and the records
// keep the volumes the script set), so a game saved during the sequence goes on after
// the month end with a clear picture and full sound.
#include <cstdint>
#include <string>

class CSaveRecordStrings;
struct SSoundSlotRecord;

// What the machine uses of the stage.
class ITurnStage {
public:
    virtual ~ITurnStage() = default;
    // The month report into a message record (built anew for every page).
    virtual void BuildReport(CSaveRecordStrings& record) = 0;
    virtual void ShowMessage(const CSaveRecordStrings& record) = 0;
    virtual void SetMessageOff() = 0;
    // The message window is busy or shown / still displaying or waiting.
    virtual bool IsMessageBusyOrShown() = 0;
    virtual bool IsMessageActive() = 0;
    // A full-screen fill on a layer that the stage record does not keep, and its removal.
    virtual void ShowVeil(int32_t layer, uint32_t colour) = 0;
    virtual void RemoveVeil(int32_t layer) = 0;
    virtual void StartScreenChange(int32_t kind, int32_t frames) = 0;
    virtual bool IsScreenChangeRunning() = 0;
    // The stage's record of a sound slot (null outside the bank) and the bank's fade.
    virtual const SSoundSlotRecord* GetSlotRecord(int32_t group, int32_t slot) = 0;
    virtual void FadeBankVolume(int32_t group, int32_t slot, int32_t volume, int32_t ms) = 0;
};

class CTurnMachine {
public:
    static constexpr int32_t kVeilLayer = 9999;
    static constexpr uint32_t kVeilColour = 0x80000000;
    static constexpr int32_t kChangeKind = 1;
    static constexpr int32_t kChangeFrames = 15;
    static constexpr int32_t kFadeMs = 300;
    static constexpr int32_t kPageLines = 3;
    static constexpr int kLastPage = 2;

    // Starts the sequence (again from its first state when it runs) unless the report
    // is empty.  The caller has ruled out the script tool and the branch switch.
    void Begin(ITurnStage& stage);
    // One state; true while the sequence runs, also in the call that ends it.
    bool Step(ITurnStage& stage);

    // Ends a running sequence where it stands (the stage is rebuilt around it).
    void Reset() { m_TurnActive = false; m_TurnState = 0; }

    bool IsActive() const { return m_TurnActive; }
    int32_t GetState() const { return m_TurnState; }
    // Lines of a report: 1 + its LF bytes (never the trail byte of a double-byte
    // character).
    static int CountLines(const std::string& text);
    // The text after its n-th LF (the whole text for n = 0; empty when it has fewer).
    static std::string TextAfterLine(const std::string& text, int n);
    // The text before its n-th LF (the whole text when it has fewer).
    static std::string FirstLines(const std::string& text, int n);

private:
    void _ShowPage(ITurnStage& stage, int page);
    void _FadePlaying(ITurnStage& stage, bool half);

    bool m_TurnActive = false;
    int32_t m_TurnState = 0;
    bool m_TurnMessageWasOn = false;
};
