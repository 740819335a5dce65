#pragma once
// The fixed tables of the mansion actions: gains, the partner who joins work or
// training, and the event sub of a partner.  Pure functions of the status record.
#include <array>
#include <cstdint>
#include <functional>

class CStatus;

namespace mansion {

// The two actions a friend may join.
enum class EPartnerAction { WORK, TRAINING };

constexpr int32_t kNoPartner = 4;      // nobody joined
constexpr int32_t kForcedPartner = 5;  // the occasion's own event (6, 4) / (15, 5)

// The exchange gain of time with friend `f` in manner 0 or 1, by its exchange level.
int32_t ExchangeGain(const CStatus& status, int f, int manner);
// The work gain with `partner`: the partner's bonus plus 7 + the level.
int32_t WorkGain(const CStatus& status, int32_t partner);
// The training gain with `partner`: the term of the raw ability points plus the
// partner's bonus.
int32_t TrainingGain(const CStatus& status, int32_t partner);

// Which friends may join.
std::array<bool, 4> PartnerEligibility(const CStatus& status, EPartnerAction action);
// The chance (out of 101) of friend `f` joining; 0 when the friend has none.
int32_t PartnerChance(const CStatus& status, EPartnerAction action, int f);
// The partner for the chosen friend `f` (-1: none) with `chance`: draws r in 0..100
// (again while it equals the chance); r below the chance gives f, else kNoPartner.
int32_t DrawPartner(int f, int32_t chance, const std::function<uint32_t()>& draw);
// The event sub of a partner.
int32_t PartnerSub(EPartnerAction action, int32_t partner);

}  // namespace mansion
