#include "game/raising/month/TurnMachine.h"

#include <algorithm>

#include "engine/base/StringUtil.h"
#include "game/core/SaveRecordStrings.h"
#include "game/core/StageSnapshot.h"

namespace {

// The byte offset just after the n-th single-byte LF, or npos.
size_t _AfterLineFeed(const std::string& text, int n) {
    if (n <= 0) return 0;
    int seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsSjisLeadByte(text[i])) {
            ++i;  // its trail byte is never an LF
            continue;
        }
        if (text[i] == '\n' && ++seen == n) return i + 1;
    }
    return std::string::npos;
}

}  // namespace

int CTurnMachine::CountLines(const std::string& text) {
    int lines = 1;
    while (_AfterLineFeed(text, lines) != std::string::npos) ++lines;
    return lines;
}

std::string CTurnMachine::TextAfterLine(const std::string& text, int n) {
    const size_t at = _AfterLineFeed(text, n);
    return at == std::string::npos ? std::string() : text.substr(at);
}

std::string CTurnMachine::FirstLines(const std::string& text, int n) {
    const size_t at = _AfterLineFeed(text, n);
    return at == std::string::npos ? text : text.substr(0, at - 1);
}

void CTurnMachine::Begin(ITurnStage& stage) {
    CSaveRecordStrings report;
    stage.BuildReport(report);
    if (report.m_Text.empty()) return;
    m_TurnActive = true;
    m_TurnState = 0;
}

// Page `page` (0..2) of the report; the third page takes every line from the 7th on.
// The first two end at their third line: the window draws every line it is given, and
// the page after would show (and log) the same lines again.
void CTurnMachine::_ShowPage(ITurnStage& stage, int page) {
    CSaveRecordStrings report;
    stage.BuildReport(report);
    const int lines = CountLines(report.m_Text);
    report.m_Text = TextAfterLine(report.m_Text, page * kPageLines);
    if (page < kLastPage) report.m_Text = FirstLines(report.m_Text, kPageLines);
    stage.ShowMessage(report);
    const bool last = page == kLastPage || lines <= (page + 1) * kPageLines;
    m_TurnState = last ? 10 : m_TurnState + 1;
}

void CTurnMachine::_FadePlaying(ITurnStage& stage, bool half) {
    for (int32_t g = 0; g < CStageSnapshot::kSoundGroups; ++g) {
        for (int32_t s = 0; s < CStageSnapshot::kSoundSlots; ++s) {
            const SSoundSlotRecord* record = stage.GetSlotRecord(g, s);
            if (record == nullptr || !record->playing) continue;
            stage.FadeBankVolume(g, s, half ? record->volume / 2 : record->volume, kFadeMs);
        }
    }
}

bool CTurnMachine::Step(ITurnStage& stage) {
    if (!m_TurnActive) return false;
    switch (m_TurnState) {
        case 0:
            m_TurnMessageWasOn = stage.IsMessageBusyOrShown();
            stage.ShowVeil(kVeilLayer, kVeilColour);
            stage.StartScreenChange(kChangeKind, kChangeFrames);
            _FadePlaying(stage, true);
            m_TurnState = 1;
            break;
        case 1:
        case 12:
            if (!stage.IsScreenChangeRunning()) ++m_TurnState;
            break;
        case 2: _ShowPage(stage, 0); break;
        case 4: _ShowPage(stage, 1); break;
        case 6: _ShowPage(stage, 2); break;
        case 3:
        case 5:
        case 10:
            if (!stage.IsMessageActive()) ++m_TurnState;
            break;
        case 7:
        case 8:
        case 9: break;
        case 11:
            if (!m_TurnMessageWasOn) stage.SetMessageOff();
            stage.RemoveVeil(kVeilLayer);
            stage.StartScreenChange(kChangeKind, kChangeFrames);
            _FadePlaying(stage, false);
            m_TurnState = 12;
            break;
        default:
            // 13, and any state past it, ends the sequence; this call still holds.
            m_TurnActive = false;
            m_TurnState = 0;
            break;
    }
    return true;
}
