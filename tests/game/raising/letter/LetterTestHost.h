#pragma once
// A stand-in for the in-game scene and its stage that records what the letter scene
// asks of it ("ShowLayerImage 100 obj\letter\t000_000.bmp") and plays it out in
// frames: a screen change runs its frames (none while skipping, unless it is the kind
// that always runs), a script two frames, a line or a month end holds the stage.
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

class CFakeLetterHost : public ILetterHost {
public:
    explicit CFakeLetterHost(CGameMain& game) : m_Game(game) {}

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
    std::vector<std::string> Take() {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }
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

    void ClearToBlack() override { calls.push_back("ClearToBlack"); }
    void ClearToBlackAlt() override { calls.push_back("ClearToBlackAlt"); }
    void ShowLayerImage(int32_t layer, const std::string& file) override {
        calls.push_back(FormatString("ShowLayerImage %d %s", layer, file.c_str()));
    }
    void SetLayerFill(int32_t layer, uint32_t colour) override {
        calls.push_back(FormatString("SetLayerFill %d %08X", layer, colour));
    }
    void PrepareLayerChange(int32_t layer) override { calls.push_back(FormatString("PrepareLayerChange %d", layer)); }
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
    // The first file of the list really plays in the game's bank.
    void PlaySlot(int32_t g, int32_t s, int32_t once, int32_t fade) override {
        calls.push_back(FormatString("PlaySlot %d %d %d %d", g, s, once, fade));
        m_Game.GetSoundBank().Load(g, s, m_List.substr(0, m_List.find('\n')));
        m_Game.GetSoundBank().Play(g, s, once, fade, 0);
    }
    void StopSlot(int32_t g, int32_t s, int32_t ms) override { calls.push_back(FormatString("StopSlot %d %d %d", g, s, ms)); }
    bool IsSkipping() const override { return skipping; }
    bool GetScriptEndFlag() const override { return script == 0; }
    void EndMonth() override {
        const EventRow* p = pending;
        calls.push_back(FormatString("EndMonth %d (%d, %d)", p ? p->id : 0, state.m_EventKind, state.m_EventSub));
        hold = 3;
    }
    const EventRow* SelectEventRow(int32_t kind, int32_t sub) override {
        calls.push_back(FormatString("SelectEventRow %d %d", kind, sub));
        if (selections.empty()) return nullptr;
        const int32_t id = selections.front();
        selections.pop_front();
        return FindEventRow(id);
    }
    const EventRow* FindEventRow(int32_t id) const override {
        for (const EventRow& r : rows)
            if (r.id == id) return &r;
        return nullptr;
    }
    void StartEventById(int32_t id, int32_t kind, int32_t sub) override {
        calls.push_back(FormatString("StartEventById %d %d %d", id, kind, sub));
        script = 2;
    }
    void StartEvent(int32_t kind, int32_t sub) override {
        calls.push_back(FormatString("StartEvent %d %d restricted %d", kind, sub,
                                     state.GetStatus().Words().outcomeRestricted));
        script = 2;
    }
    void ApplyEventRowNow(int32_t id) override { calls.push_back(FormatString("ApplyEventRowNow %d", id)); }
    bool IsScriptRunning() const override { return script > 0; }
    void ClearMode() override { calls.push_back("ClearMode"); }
    void SetPendingEvent(const EventRow* row) override { pending = row; }
    const EventRow* GetPendingEvent() const override { return pending; }
    CGameState& GetGameState() override { return state; }

    std::vector<std::string> calls;
    std::list<EventRow> rows;  // pointers to rows stay valid
    // The ids SelectEventRow gives in turn (0 or none left: no row).
    std::deque<int32_t> selections;
    CGameState state;
    const EventRow* pending = nullptr;
    bool skipping = false;
    int change = 0;
    int script = 0;
    int hold = 0;

private:
    CGameMain& m_Game;
    std::string m_List;
};

}  // namespace lettertest
