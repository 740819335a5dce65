#include "game/raising/mansion/MansionTables.h"

#include <algorithm>

#include "game/core/Status.h"

namespace mansion {

namespace {

// Per friend stage 0..7.
using StageTable = std::array<int32_t, 8>;

int32_t ByStage(const StageTable& table, int stage) { return stage >= 0 && stage < 8 ? table[static_cast<size_t>(stage)] : 0; }

int32_t SecondValueBonus(int32_t second) {
    static constexpr int32_t kSteps[][2] = {{90, 16}, {80, 14}, {70, 12}, {60, 10}, {50, 8}, {40, 6}, {30, 4}, {20, 2}};
    for (const auto& step : kSteps) {
        if (second >= step[0]) return step[1];
    }
    return 0;
}

bool ValidFriend(int f) { return f >= 0 && f < 4; }

}  // namespace

int32_t ExchangeGain(const CStatus& status, int f, int manner) {
    if (!ValidFriend(f)) return 0;
    // [quiet pair 0, 3 / lively pair 1, 2][manner][level 0, 1, 2+]
    static constexpr int32_t kGain[2][2][3] = {{{15, 8, 6}, {8, 4, 3}}, {{35, 15, 6}, {20, 8, 3}}};
    const int pair = f == 1 || f == 2 ? 1 : 0;
    const int level = std::clamp(status.GetExchangeLevel(f), 0, 2);
    return kGain[pair][manner != 0 ? 1 : 0][level];
}

int32_t WorkGain(const CStatus& status, int32_t partner) {
    static constexpr StageTable kBonus[3] = {
        {0, 4, 6, 7, 9, 5, 6, 8},
        {2, 3, 5, 6, 8, 4, 5, 7},
        {1, 2, 4, 5, 7, 3, 4, 6},
    };
    const int32_t bonus = partner >= 0 && partner < 3 ? ByStage(kBonus[partner], status.GetFriendStage(partner)) : 0;
    return bonus + 7 + status.GetLevel5();
}

int32_t TrainingGain(const CStatus& status, int32_t partner) {
    static constexpr StageTable kFirst = {0, 1, 4, 5, 6, 3, 4, 5};
    static constexpr StageTable kOthers = {0, 1, 3, 4, 5, 2, 3, 4};
    const int32_t hundreds = status.Words().abilityPoints / 100;
    const int32_t term = hundreds <= 0 ? 15 : hundreds == 1 ? 6 : 3;
    if (!ValidFriend(partner)) return term;
    return term + ByStage(partner == 0 ? kFirst : kOthers, status.GetFriendStage(partner));
}

std::array<bool, 4> PartnerEligibility(const CStatus& status, EPartnerAction action) {
    std::array<bool, 4> flags{};
    for (int f = 0; f < 4; ++f) {
        const bool close = status.GetExchangeLevel(f) >= 2 && status.GetParam(106, 12 + f) >= 20;
        bool eligible;
        if (action == EPartnerAction::WORK) {
            eligible = f == 0 ? close : f != 3;
        } else {
            eligible = f == 0 || f == 3 ? close : status.GetExchangeLevel(f) >= 1;
        }
        flags[static_cast<size_t>(f)] = eligible;
    }
    return flags;
}

int32_t PartnerChance(const CStatus& status, EPartnerAction action, int f) {
    if (f < 0 || f > 2) return 0;  // friend 3 never has a chance
    static constexpr StageTable kWork = {6, 8, 10, 12, 14, 12, 14, 16};
    static constexpr StageTable kTrainingFirst = {0, 0, 10, 12, 14, 12, 14, 16};
    static constexpr StageTable kTrainingOthers = {0, 8, 10, 12, 14, 12, 14, 16};
    const int stage = status.GetFriendStage(f);
    const StageTable& table = action == EPartnerAction::WORK ? kWork : f == 0 ? kTrainingFirst : kTrainingOthers;
    const int32_t chance = ByStage(table, stage);
    if (chance == 0) return 0;
    return stage > 0 ? chance + SecondValueBonus(status.GetParam(106, 12 + f)) : chance;
}

int32_t DrawPartner(int f, int32_t chance, const std::function<uint32_t()>& draw) {
    if (f < 0 || chance <= 0) return kNoPartner;
    uint32_t r = draw();
    while (r == static_cast<uint32_t>(chance)) r = draw();
    return r < static_cast<uint32_t>(chance) ? f : kNoPartner;
}

int32_t PartnerSub(EPartnerAction action, int32_t partner) {
    if (partner == kForcedPartner) return action == EPartnerAction::WORK ? 4 : 5;
    const int32_t last = action == EPartnerAction::WORK ? 2 : 3;
    return partner >= 0 && partner <= last ? partner + 1 : 0;
}

}  // namespace mansion
