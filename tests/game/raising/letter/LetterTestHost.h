#pragma once
// Stand-ins for the in-game scene and its stage that record what the letter scene asks
// of them ("ShowLayerImageAlt 100 obj\letter\t000_000.bmp") and play it out in frames.
#include <deque>
#include <list>
#include <string>
#include <vector>

#include "engine/base/StringUtil.h"
#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/GameState.h"
#include "game/raising/event/EventRow.h"
#include "game/raising/letter/LetterHost.h"

namespace lettertest {

// A stand-in for the in-game scene and its stage: a script runs two frames, a screen
// change its frames (none while skipping, unless it is the kind that always runs), a
// line or a month end holds the stage.
class CFakeLetterHost : public ILetterHost {
public:
    explicit CFakeLetterHost(CGameMain& game) : m_Game(game) {}

    EventRow& AddRow(int32_t id, const std::string& script, int32_t outcomeClass = 0) {
        EventRow row;
        row.id = id;
        row.kind = 23;
        row.sub = 1;
        row.script = script;
        row.outcomeClass = outcomeClass;
        rows.push_back(row);
        return rows.back();
    }
    std::vector<std::string> Take() {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }

    EventRow* SelectEventRow(int32_t kind, int32_t sub) override {
        calls.push_back(FormatString("SelectEventRow %d %d", kind, sub));
        if (selections.empty()) return nullptr;
        const int32_t id = selections.front();
        selections.pop_front();
        return FindEventRow(id);
    }
    EventRow* FindEventRow(int32_t id) const override {
        for (EventRow& r : rows)
            if (r.id == id) return &r;
        return nullptr;
    }
    void StartEventById(int32_t id, int32_t kind, int32_t sub) override {
        calls.push_back(FormatString("StartEventById %d %d %d", id, kind, sub));
        script = 2;
    }
    void StartEvent(int32_t kind, int32_t sub) override {
        calls.push_back(FormatString("StartEvent %d %d restricted %d", kind, sub, state.GetStatus().Words().outcomeRestricted));
        script = 2;
    }
    void ApplyEventSettings(int32_t id, int32_t kind, int32_t sub) override {
        calls.push_back(FormatString("ApplyEventSettings %d (%d, %d)", id, kind, sub));
    }
    bool IsScriptRunning() const override { return script > 0; }
    void ClearMode() override { calls.push_back("ClearMode"); }
    void SetPendingEvent(EventRow* row) override { pending = row; }
    CGameState& GetGameState() override { return state; }

    std::vector<std::string> calls;
    mutable std::list<EventRow> rows;  // pointers to rows stay valid
    // The ids SelectEventRow gives in turn (none left: no row).
    std::deque<int32_t> selections;
    CGameState state;
    const EventRow* pending = nullptr;
    int script = 0;

    // One frame of the stage; true while it holds the screen over it.
    bool Step() {
        if (change > 0) --change;
        if (script > 0) --script;
        if (hold > 0) {
            --hold;
            return true;
        }
        return false;
    }

    void ClearToBlackAlt() override { calls.push_back("ClearToBlackAlt"); }
    void ShowLayerImageAlt(int32_t layer, const std::string& file) override {
        calls.push_back(FormatString("ShowLayerImageAlt %d %s", layer, file.c_str()));
    }
    void StartScreenChange(int32_t kind, int32_t frames) override {
        calls.push_back(FormatString("StartScreenChange %d %d", kind, frames));
        change = skipping ? 0 : frames;
    }
    void StartScreenChangeAlt(int32_t kind, int32_t frames) override {
        calls.push_back(FormatString("StartScreenChangeAlt %d %d", kind, frames));
        change = frames;
    }
    bool IsScreenChangeRunning() const override { return change > 0; }
    void FinishScreenChange() override {
        calls.push_back("FinishScreenChange");
        change = 0;
    }
    void SetMessageOff() override { calls.push_back("SetMessageOff"); }
    void ShowMessage(const std::string& speaker, const std::string& text) override {
        calls.push_back("ShowMessage " + speaker + " " + text);
        hold = 2;
    }
    void PlaySound(int32_t g, int32_t s, const std::string& list) override {
        calls.push_back(FormatString("PlaySound %d %d [%s]", g, s, list.c_str()));
        m_List = list;
    }
    void SetSlotVolume(int32_t g, int32_t s, int32_t v) override { calls.push_back(FormatString("SetSlotVolume %d %d %d", g, s, v)); }
    void SetSlotPan(int32_t g, int32_t s, int32_t p) override { calls.push_back(FormatString("SetSlotPan %d %d %d", g, s, p)); }
    // The first path of the list really plays in the game's bank.
    void PlaySlot(int32_t g, int32_t s, int32_t once, int32_t fade) override {
        calls.push_back(FormatString("PlaySlot %d %d %d %d", g, s, once, fade));
        m_Game.GetSoundBank().Load(g, s, m_List.substr(0, m_List.find('\n')));
        m_Game.GetSoundBank().Play(g, s, once, fade, 0);
    }
    void StopSlot(int32_t g, int32_t s, int32_t ms) override { calls.push_back(FormatString("StopSlot %d %d %d", g, s, ms)); }
    bool IsSkipping() const override { return skipping; }
    bool GetScriptEndFlag() const override { return script == 0; }
    void EndMonth() override {
        calls.push_back(FormatString("EndMonth %d (%d, %d)", pending ? pending->id : 0, state.m_EventKind, state.m_EventSub));
        hold = 3;
    }

    bool skipping = false;
    int change = 0;
    int hold = 0;

private:
    CGameMain& m_Game;
    std::string m_List;
};

}  // namespace lettertest
