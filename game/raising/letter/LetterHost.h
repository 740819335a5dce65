#pragma once
// What the letter scene asks of the in-game scene and its stage.  The in-game mode 13
// gives the running in-game scene through it; tests give a recording stand-in.
#include <cstdint>
#include <string>

class CGameState;
struct EventRow;

class ILetterHost {
public:
    virtual ~ILetterHost() = default;

    // ---- the stage ----
    // Every layer goes with the next screen change, which brings in layer 100 opaque black.
    virtual void ClearToBlackAlt() = 0;
    // A picture on a layer that comes in with the next screen change.
    virtual void ShowLayerImageAlt(int32_t layer, const std::string& file) = 0;
    // The first is cut short (made instant) while skipping or with screen changes
    // switched off; the second always runs as given.
    virtual void StartScreenChange(int32_t kind, int32_t frames) = 0;
    virtual void StartScreenChangeAlt(int32_t kind, int32_t frames) = 0;
    virtual bool IsScreenChangeRunning() const = 0;
    virtual void FinishScreenChange() = 0;
    virtual void SetMessageOff() = 0;
    // A line in the message window; the stage holds until the player has read it.
    virtual void ShowMessage(const std::string& speaker, const std::string& text) = 0;
    // Sound slot (g, s) takes the line-feed separated files of `list`.
    virtual void PlaySound(int32_t g, int32_t s, const std::string& list) = 0;
    virtual void SetSlotVolume(int32_t g, int32_t s, int32_t volume) = 0;
    virtual void SetSlotPan(int32_t g, int32_t s, int32_t pan) = 0;
    virtual void PlaySlot(int32_t g, int32_t s, int32_t once, int32_t fadeInMs) = 0;
    virtual void StopSlot(int32_t g, int32_t s, int32_t fadeMs) = 0;
    virtual bool IsSkipping() const = 0;
    virtual bool GetScriptEndFlag() const = 0;
    // The month's end with its report, for the event the game state names.
    virtual void EndMonth() = 0;

    // ---- the in-game scene ----
    virtual EventRow* SelectEventRow(int32_t kind, int32_t sub) = 0;
    virtual EventRow* FindEventRow(int32_t id) const = 0;
    // Plays the row's script as the pending event of the occasion.
    virtual void StartEventById(int32_t id, int32_t kind, int32_t sub) = 0;
    // Selects an event of the occasion and plays it.
    virtual void StartEvent(int32_t kind, int32_t sub) = 0;
    // The row's settings (and for the occasion (23, 1) its value) applied now; no event
    // pending after.
    virtual void ApplyEventSettings(int32_t id, int32_t kind, int32_t sub) = 0;
    // An event is pending or the stage's script has not ended.
    virtual bool IsScriptRunning() const = 0;
    // Ends the current mode.
    virtual void ClearMode() = 0;
    // The month's event for the month end without playing it (null: none).
    virtual void SetPendingEvent(EventRow* row) = 0;
    virtual CGameState& GetGameState() = 0;
};
