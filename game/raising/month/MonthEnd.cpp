#include "game/raising/month/MonthEnd.h"

#include "engine/sound/SoundBank.h"
#include "game/core/GameMain.h"
#include "game/core/RunningGame.h"
#include "game/raising/month/MonthReport.h"

namespace {

class CStageTurnAdapter : public ITurnStage {
public:
    explicit CStageTurnAdapter(CMainGameScene& stage) : m_Stage(stage) {}

    void BuildReport(CSaveRecordStrings& record) override { m_Stage.BuildMonthReport(record); }

    // The report is no line of the script: the record keeps the window flag the script set.
    void ShowMessage(const CSaveRecordStrings& record) override {
        const uint8_t shown = m_Stage.GetRecord().m_WindowShown;
        m_Stage.ShowMessage(record);
        m_Stage.GetRecord().m_WindowShown = shown;
    }
    void SetMessageOff() override { m_Stage.SetMessageOff(); }
    bool IsMessageBusyOrShown() override {
        return m_Stage.GetMessageState().IsBusyOrFlag() || m_Stage.GetWindow().IsBoxShown();
    }
    bool IsMessageActive() override { return m_Stage.GetMessageState().IsActive(); }

    // The veil belongs to the sequence, which is never saved: no layer record keeps it.
    void ShowVeil(int32_t layer, uint32_t colour) override {
        m_Stage.SetLayerFill(layer, colour);
        std::erase_if(m_Stage.GetRecord().m_Layers, [layer](const SLayerRecord& r) { return r.id == layer; });
    }
    void RemoveVeil(int32_t layer) override { m_Stage.RemoveLayer(layer); }

    void StartScreenChange(int32_t kind, int32_t frames) override { m_Stage.StartScreenChange(kind, frames); }
    bool IsScreenChangeRunning() override { return m_Stage.IsScreenChangeRunning(); }

    const SSoundSlotRecord* GetSlotRecord(int32_t group, int32_t slot) override {
        return m_Stage.GetRecord().GetSoundSlot(group, slot);
    }
    void FadeBankVolume(int32_t group, int32_t slot, int32_t volume, int32_t ms) override {
        if (CGameMain* game = m_Stage.GetGame()) game->GetSoundBank().FadeVolume(group, slot, volume, ms);
    }

private:
    CMainGameScene& m_Stage;
};

}  // namespace

void CMonthEnd::BuildReport(CMainGameScene& stage, CSaveRecordStrings& record) {
    record.Reset();
    const CGameState* state = GetRunningGameState();
    if (state == nullptr) return;
    SMonthReportInput input;
    input.kind = state->m_EventKind;
    input.sub = state->m_EventSub;
    input.pending = stage.GetOwner() ? stage.GetOwner()->GetPendingEvent() : nullptr;
    input.scriptName = stage.GetScriptName();
    CMonthReport::Build(state->GetStatus(), input, record);
}

void CMonthEnd::Begin(CMainGameScene& stage) {
    CStageTurnAdapter adapter(stage);
    m_Machine.Begin(adapter);
}

bool CMonthEnd::Step(CMainGameScene& stage) {
    CStageTurnAdapter adapter(stage);
    return m_Machine.Step(adapter);
}
