#pragma once
// Records filled with distinct non-default values, for the round-trip tests.
#include <iterator>

#include "game/core/GameState.h"
#include "game/core/ReadHistory.h"
#include "game/core/SaveData.h"
#include "game/core/StageSnapshot.h"
#include "game/core/Status.h"
#include "game/core/SystemData.h"

namespace coretest {

// Every word of the status record a distinct non-zero value, starting at `v`.
inline void FillStatus(CStatus& status, int32_t v = 1) {
    SStatusWords& w = status.Words();
    w.personality = v++;
    w.temper = v++;
    w.contentment = v++;
    for (size_t i = 0; i < std::size(w.ability); ++i) w.ability[i] = static_cast<float>(v++) + 0.25f;
    w.satietyPercent = v++;
    w.satietyCopy = v++;
    w.growth = v++;
    w.scoreTally = v++;
    w.kind23Value = v++;
    w.kind23Counter1 = v++;
    w.kind23Counter2 = v++;
    for (size_t i = 0; i < std::size(w.item); ++i) w.item[i] = v++;
    w.shopSpecial17 = v++;
    w.shopSpecial19 = v++;
    w.money = v++;
    w.stamina = v++;
    w.workAmount = v++;
    w.evaluation = v++;
    w.evaluationTotal = v++;
    w.abilityPoints = v++;
    w.reportCount = v++;
    w.lastWorkAmount = v++;
    w.lastEvaluation = v++;
    w.jobCount = v++;
    for (size_t i = 0; i < std::size(w.friendWord); ++i) w.friendWord[i] = v++;
    for (size_t i = 0; i < std::size(w.exchange); ++i) w.exchange[i] = v++;
    for (size_t i = 0; i < std::size(w.abilityMastery); ++i) w.abilityMastery[i] = v++;
    w.seasonKind = v++;
    w.seasonDone = static_cast<uint8_t>(1 + (v++ % 250));
    w.seasonLoss = v++;
    w.seasonValue = v++;
    w.lastSeasonKind = v++;
    w.lastSeasonDone = static_cast<uint8_t>(1 + (v++ % 250));
    w.seasonGap = v++;
    for (size_t i = 0; i < std::size(w.rankMonths); ++i) w.rankMonths[i] = v++;
    w.foodSent = v++;
    w.year = v++;
    w.month = v++;
    w.week = v++;
    w.mealDone = static_cast<uint8_t>(1 + (v++ % 250));
    w.smallExpenseDone = static_cast<uint8_t>(1 + (v++ % 250));
    w.pendingWorkGain = v++;
    for (size_t i = 0; i < std::size(w.pendingExchangeGain); ++i) w.pendingExchangeGain[i] = v++;
    for (size_t i = 0; i < std::size(w.pendingBondGain); ++i) w.pendingBondGain[i] = v++;
    w.pendingTrainingGain = v++;
    w.pendingJobPay = v++;
    w.pendingJobEvaluation = v++;
    w.pendingMealStamina = v++;
    w.pendingContentmentGain = v++;
    for (size_t i = 0; i < std::size(w.exchangeCounter); ++i) for (size_t j = 0; j < std::size(w.exchangeCounter[0]); ++j) w.exchangeCounter[i][j] = v++;
    for (size_t i = 0; i < std::size(w.mealCounter); ++i) w.mealCounter[i] = v++;
    w.pendingPersonality = v++;
    w.pendingTemper = v++;
    w.pendingContentment = v++;
    for (size_t i = 0; i < std::size(w.pendingAbility); ++i) w.pendingAbility[i] = static_cast<float>(v++) + 0.25f;
    for (size_t i = 0; i < std::size(w.outingCounter); ++i) w.outingCounter[i] = v++;
    for (size_t i = 0; i < std::size(w.homePairCounter); ++i) for (size_t j = 0; j < std::size(w.homePairCounter[0]); ++j) w.homePairCounter[i][j] = v++;
    w.outcomeRestricted = v++;
    w.outcomePass = v++;
    w.outcomeSide = v++;
    w.outcomeGrade = v++;
    w.outcomeHelped = v++;
    w.outcomePlace = v++;
    w.outcomeTop = v++;
    w.boostA = v++;
    w.boostB = v++;
    w.monthWorkGain = v++;
    for (size_t i = 0; i < std::size(w.monthExchangeGain); ++i) w.monthExchangeGain[i] = v++;
    for (size_t i = 0; i < std::size(w.monthGratitudeGain); ++i) w.monthGratitudeGain[i] = v++;
    w.monthSkillGain = v++;
    w.monthPay = v++;
    w.monthEvaluationLoss = v++;
    w.monthStaminaGain = v++;
    w.monthPersonalityChange = v++;
    w.monthMindChange = v++;
    w.monthReadingChange = static_cast<float>(v++) + 0.25f;
    w.monthSportsChange = static_cast<float>(v++) + 0.25f;
    w.monthArtChange = static_cast<float>(v++) + 0.25f;
    w.monthMusicChange = static_cast<float>(v++) + 0.25f;
    w.monthHouseworkChange = static_cast<float>(v++) + 0.25f;    for (int c = 0; c < CStatus::kBlockCount; ++c) {
        for (int i = 0; i < CStatus::kBlockSize; ++i) status.SetParam(c, i, v++);
    }
    status.SetParam(15, 0, v++);
    status.SetParam(15, 17, v++);
    status.SetParam(15, 99999, v++);
    // Every plain word of the categories from 101 on.
    for (int c = 101; c < 150; ++c) {
        for (int i = 0; i < 64; ++i) {
            if (c == 101 && (i == 7 || i == 8)) continue;
            if (c == 103 && (i == 4 || (i >= 12 && i <= 15))) continue;
            if (CStatus::IsKnownParam(c, i) && c != 102 && c != 104 && c != 106 && c != 107 && c != 108 &&
                c != 109 && c != 110 && c != 112 && c != 118) {
                status.SetParam(c, i, v++);
            }
        }
    }
    status.MarkEventSeen(v++);
    status.MarkEventSeen(v++);
    status.SetLastEvent(v++, 23, 1);
    status.SetLastEvent(v++, 5, 0);
    status.AddReadLetter("l_" + std::to_string(v++));
    status.AddReadLetter("l_" + std::to_string(v++));
}

inline void FillSnapshot(CStageSnapshot& s, int32_t v = 1) {
    s.m_ScriptName = "scr\\category_001\\sc_" + std::to_string(v++) + ".txt";
    s.m_RecordId = v++;
    s.m_WaitFrames = v++;
    for (uint8_t& f : s.m_WaitFlags) f = static_cast<uint8_t>(v++ % 200 + 1);
    s.m_WindowShown = 1;
    s.m_PanelPicture = "obj\\panel.bmp";
    s.m_PanelEventId = v++;
    for (SBalloonRecord& b : s.m_Balloons) {
        b.shown = static_cast<uint8_t>(v++ % 200 + 1);
        b.line = CSaveRecordStrings("name" + std::to_string(v), "text", "voice\\lu0001.ogg", v, v + 1);
        v += 2;
        b.settings = {v, v + 1, v + 2};
        v += 3;
    }
    for (int k = 0; k < 3; ++k) {
        SLayerRecord l;
        l.id = 100 * (k + 1);
        l.kind = k;
        l.file = "bg\\bg0" + std::to_string(k) + ".bmp";
        l.args = {v++, v++};
        l.x = 1.5f * v++;
        l.y = 2.5f;
        l.scaleX = 0.5f;
        l.scaleY = 0.75f;
        l.scaleCenterX = 3;
        l.scaleCenterY = 4;
        l.rotation = 5;
        l.rotationCenterX = 6;
        l.rotationCenterY = 7;
        l.level = 128;
        l.shown = 1;
        l.motionText = "move 1 2 3";
        l.motionRunning = 1;
        l.motionLoop = 1;
        l.motionValues = {v++};
        s.m_Layers.push_back(l);
    }
    s.m_EffectOn = 1;
    s.m_EffectKind = v++;
    s.m_Log.push_back(CSaveRecordStrings("a", "b", "c", v, v + 1));
    s.m_Log.push_back(CSaveRecordStrings("", "\x82\xa0\\n", "", v + 2, v + 3));
    v += 4;
    for (SSoundSlotRecord& r : s.m_SoundSlots) {
        r.playing = 1;
        r.listFlag = v % 2;
        r.source = "bgm\\bgm_" + std::to_string(v) + ".ogg";
        r.volume = v++;
        r.pan = -v++;
        r.position = v++;
    }
}

inline void FillGameState(CGameState& g, int32_t v = 1) {
    FillStatus(g.GetStatus(), v);
    v += 100000;
    g.m_ModeId = v++;
    g.m_Step = v++;
    g.m_EventId = v++;
    g.m_SelectionFlag = 1;
    g.m_SelectionPicture = "obj\\selection\\s01.bmp";
    g.m_SelectionValue = v++;
    g.m_SelectedIndex = v++;
    g.m_EventActive = 1;
    g.m_FollowUpPhase = v++;
    g.m_EventKind = v++;
    g.m_EventSub = v++;
    g.m_ChoiceCount = 2;
    g.m_ChoicePictures = {"c0", "c1"};
    for (auto& words : g.m_ModeWords) for (int32_t& x : words) x = v++;
    g.m_MansionMode = v++;
    g.m_ChosenFriend = v++;
    g.m_ChosenManner = v++;
    g.m_ChosenBondFriend = v++;
    g.m_ChosenMeal = v++;
    g.m_ShopVisited = 1;
    for (auto& words : g.m_MansionModeWords) for (int32_t& x : words) x = v++;
    g.m_HomeMode = v++;
    g.m_HouseworkKind = v++;
    g.m_OutingDestination = v++;
    g.m_RoomPlay = v++;
    g.m_RestChoice = v++;
    for (auto& words : g.m_HomeModeWords) for (int32_t& x : words) x = v++;
}

inline void FillSaveData(CSaveData& s, int32_t v = 1) {
    s.m_Header = "slot comment \x83\x5c";
    s.m_Time = SSaveTime{2026, 12, 6, 23, 59, 58};
    s.m_CarryMark = 1;
    s.m_ClearData = 1;
    s.m_Used = 1;
    FillGameState(s.GetGameState(), v);
    FillSnapshot(s.GetStageSnapshot(), v + 500000);
}

inline void FillSystemData(CSystemData& d) {
    d.m_ScreenMode = 32;
    for (uint8_t& o : d.m_Options) o = 0;
    d.m_AutoMode = 1;
    d.m_MessageSpeed = 11;
    d.m_AutoSpeed = 12;
    d.m_WindowOpacity = 13;
    d.m_SkipMode = 1;
    d.m_MusicVolume = 14;
    d.m_EffectVolume = 15;
    d.m_VoiceVolume = 16;
    for (uint8_t& s : d.m_VoiceSwitches) s = 0;
    d.m_CancelAction = 4;
    d.m_LastSavedSlot = 35;
    d.m_OverwriteConfirm = 0;
    d.m_LogoSeen = 1;
    for (int k = 0; k < CSystemData::kTableSize; k += 997) {
        d.SetCgUnlock(k, 1);
        d.SetCgSeen(k, 0x80000001u + static_cast<uint32_t>(k));
        d.SetPlayViewUnlock(k, 1);
        d.SetPersistent(k, -k - 1);
    }
    d.SetCgUnlock(CSystemData::kTableSize - 1, 1);
    d.SetPersistent(CSystemData::kTableSize - 1, 7);
    for (int k = 0; k < CSystemData::kMusicUnlockCount; ++k) d.SetMusicUnlock(k, 1);
}

}  // namespace coretest
