#include "game/stage/score/MonthScores.h"

#include "game/core/Status.h"

float ScoreA(const CStatus& status) { return status.GetAbilityRating(ABILITY_READING); }
float ScoreB(const CStatus& status) { return status.GetAbilityRating(ABILITY_SPORTS); }
float ScoreC(const CStatus& status) { return status.GetAbilityRating(ABILITY_ART); }
float ScoreD(const CStatus& status) { return status.GetAbilityRating(ABILITY_MUSIC); }
float ScoreE(const CStatus& status) { return status.GetAbilityRating(ABILITY_HOUSEWORK); }

int CheckCondition(const CStatus& status, int kind, int level, int32_t value) {
    // The friends' flag words, as the stored friend stage reads them.
    static const int kFlagPair[CStatus::kFriendCount][2] = {{2, 6}, {3, 4}, {4, 4}, {5, 4}};
    const bool known = kind >= 0 && kind < CStatus::kFriendCount;
    const bool flag = known && status.GetParam(kFlagPair[kind][0], kFlagPair[kind][1]) != 0;
    const int rank = status.GetMainRank();
    // Only the top step tests the stored second value; a kind without one can never
    // reach 7 there (the flag is false), so its value does not matter.
    if (level >= 7 && rank >= 5) {
        const int32_t stored = known ? status.Words().abilityMastery[kind] : 0;
        return CStatus::FriendStage(level, rank, stored, flag);
    }
    return CStatus::FriendStage(level, rank, value, flag);
}

int LevelToDuration(int32_t value) { return CStatus::TierValue240(value); }
