#include "game/core/Status.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <mutex>
#include <set>
#include <utility>

#include "engine/base/Log.h"

namespace {

// Plain words of the categories from 101 on: stored as written, no clamp.  Pairs of
// these categories that are not in a range here are either named values (handled in
// _GetDerived/_SetDerived) or unknown.  A range added later goes at the end, so that
// the words of an older save keep their places.
struct SPlainRange {
    int category;
    int first;
    int count;
};

constexpr SPlainRange kPlainRanges[] = {
    {101, 0, 30},   // home-side counters (7 and 8 are two-word counters, see below)
    {103, 0, 27},   // mansion-side counters (4 and 12..15 are named, see below)
    {125, 0, 16},   // story flags (shop listing reads 0, 1, 8)
    {126, 0, 32},   // monthly marks (4, 20, 21, 22)
    {127, 0, 16},   // yearly marks (4)
    {130, 0, 16},   // continuation mark (0)
    {132, 0, 32},   // helpers of the occasion (23, 1) (25..27)
    {133, 0, 16},   // story flags (shop listing reads 1..6)
    {134, 0, 16},   // yearly marks cleared in month 1 (0..15)
    {136, 0, 16},   // yearly marks cleared in month 1 (4..7)
    {140, 0, 16},   // values shown by scripts (1: training result)
    {143, 0, 16},   // first-visit marks (0: the shop)
    {104, 5, 1},    // ソラン's word between the evaluation total and the rank, for scripts
};

constexpr int _PlainTotal() {
    int n = 0;
    for (const SPlainRange& r : kPlainRanges) n += r.count;
    return n;
}
constexpr int kPlainTotal = _PlainTotal();

// The offset of a plain pair in the plain word store, or -1.
int _PlainOffset(int category, int index) {
    int offset = 0;
    for (const SPlainRange& r : kPlainRanges) {
        if (r.category == category) {
            if (index >= r.first && index < r.first + r.count) {
                return offset + index - r.first;
            }
            return -1;
        }
        offset += r.count;
    }
    return -1;
}

// Pairs of the plain ranges that hold named values instead of a plain word.
bool _IsNamedInPlainRange(int category, int index) {
    if (category == 101) return index == 7 || index == 8;
    if (category == 103) return index == 4 || (index >= 12 && index <= 15);
    return false;
}

int32_t _Clamp(int64_t v, int32_t lo, int32_t hi) {
    if (v < lo) return lo;
    if (v > hi) return hi;
    return static_cast<int32_t>(v);
}

int32_t _CapHigh(int64_t v, int32_t hi) {
    if (v > hi) return hi;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Item bonuses of the abilities: (item, bonus) pairs.
struct SItemBonus {
    int item;
    int bonus;
};
constexpr SItemBonus kReadingBonus[] = {{3, 20}, {2, 5}};
constexpr SItemBonus kSportsBonus[] = {{9, 10}, {8, 5}, {7, 5}, {4, 5}};
constexpr SItemBonus kArtBonus[] = {{17, 5}, {16, 5}, {15, 5}, {14, 3}, {11, 3}, {13, 2}, {10, 2}};
constexpr SItemBonus kMusicBonus[] = {{18, 5}};
constexpr SItemBonus kHouseworkBonus[] = {{1, 15}, {0, 10}};

// Unknown pairs are logged once each, so that a condition evaluated every frame
// does not flood the log.
void _LogUnknown(const char* method, int category, int index) {
    static std::mutex mutex;
    static std::set<std::pair<int, int>> logged;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (logged.size() > 4096 || !logged.insert({category, index}).second) {
            return;
        }
    }
    DebugPrintf("CStatus::%s 未定義のパラメータです[%d, %d]", method, category, index);
}

template <typename T, size_t N>
void _IoWords(CDataFile& file, T (&values)[N]) {
    for (T& v : values) file.Io(v);
}

}  // namespace

CStatus::CStatus() { Reset(); }

void CStatus::Reset() {
    m_W = SStatusWords();
    std::memset(m_Blocks, 0, sizeof(m_Blocks));
    m_FlagWords.clear();
    m_PlainWords.assign(kPlainTotal, 0);
    m_SeenEvents.clear();
    m_FlagMap.clear();
    m_ReadLetters.clear();
}

bool CStatus::operator==(const CStatus& other) const {
    return m_W == other.m_W && std::memcmp(m_Blocks, other.m_Blocks, sizeof(m_Blocks)) == 0 &&
           m_FlagWords == other.m_FlagWords && m_PlainWords == other.m_PlainWords &&
           m_SeenEvents == other.m_SeenEvents && m_FlagMap == other.m_FlagMap && m_ReadLetters == other.m_ReadLetters;
}

// ---------------------------------------------------------------------------
// (category, index) access

int32_t* CStatus::_WordOf(int category, int index) {
    return const_cast<int32_t*>(static_cast<const CStatus*>(this)->_WordOf(category, index));
}

const int32_t* CStatus::_WordOf(int category, int index) const {
    if (category >= 0 && category < kBlockCount) {
        if (index >= 0 && index < kBlockSize) {
            return &m_Blocks[category][index];
        }
        return nullptr;
    }
    if (_IsNamedInPlainRange(category, index)) {
        return nullptr;
    }
    int offset = _PlainOffset(category, index);
    if (offset >= 0) {
        return &m_PlainWords[static_cast<size_t>(offset)];
    }
    return nullptr;
}

bool CStatus::IsKnownParam(int category, int index) {
    static const CStatus probe;
    bool known = false;
    if (category == kFlagCategory) {
        return index >= 0 && index < kFlagIndexLimit;
    }
    if (probe._WordOf(category, index)) {
        return true;
    }
    probe._GetDerived(category, index, &known);
    return known;
}

int CStatus::GetPlainWordCount() { return kPlainTotal; }

bool CStatus::IsWritableParam(int category, int index) {
    if (!IsKnownParam(category, index)) {
        return false;
    }
    // Read-only derived values.
    switch (category) {
        case 104:
            return index != 6 && index != 7;
        case 108:
            return index != 0 && index != 1;
        case 110:
        case 112:
        case 118:
            return false;
        default:
            return true;
    }
}

int32_t CStatus::GetParam(int category, int index) const {
    if (category == kFlagCategory) {
        if (index < 0 || index >= kFlagIndexLimit) {
            _LogUnknown("GetParam()", category, index);
            return 0;
        }
        auto it = m_FlagWords.find(index);
        return it == m_FlagWords.end() ? 0 : it->second;
    }
    if (const int32_t* w = _WordOf(category, index)) {
        return *w;
    }
    bool known = false;
    int32_t v = _GetDerived(category, index, &known);
    if (!known) {
        _LogUnknown("GetParam()", category, index);
        return 0;
    }
    return v;
}

bool CStatus::SetParam(int category, int index, int32_t value) {
    if (category == kFlagCategory) {
        if (index < 0 || index >= kFlagIndexLimit) {
            _LogUnknown("SetParam()", category, index);
            return false;
        }
        if (value == 0) {
            m_FlagWords.erase(index);
        } else {
            m_FlagWords[index] = value;
        }
        return true;
    }
    if (int32_t* w = _WordOf(category, index)) {
        *w = value;
        return true;
    }
    bool known = false;
    bool written = _SetDerived(category, index, value, &known);
    if (!known) {
        _LogUnknown("SetParam()", category, index);
        return false;
    }
    if (!written) {
        DebugPrintf("CStatus::SetParam() 書き込めないパラメータです[%d, %d]", category, index);
    }
    return written;
}

int32_t CStatus::_GetDerived(int category, int index, bool* known) const {
    *known = true;
    const SStatusWords& w = m_W;
    switch (category) {
        case 100:
            switch (index) {
                case 0: return w.personality;
                case 1: return w.temper;
                case 2: return w.contentment;
                case 3: case 4: case 5: case 6: case 7:
                    return GetAbilityValue(static_cast<EAbility>(index - 3));
                case 8: return w.satietyPercent;
                case 9: return w.satietyCopy;
                case 10: return w.growth;
                case 11: return GetScore100();
                case 12: return GetClamped200();
                default: break;
            }
            break;
        case 101:
            if (index == 7 || index == 8) {
                const int32_t* pair = w.homePairCounter[index - 7];
                return _CapHigh(static_cast<int64_t>(pair[0]) + pair[1], INT32_MAX);
            }
            break;
        case 102:
            if (index >= 0 && index < kItemCount) {
                return w.item[index == 31 ? 30 : index];
            }
            break;
        case 103:
            if (index == 4) return w.jobCount;
            if (index >= 12 && index <= 15) {
                const int32_t* pair = w.exchangeCounter[index - 12];
                return _CapHigh(static_cast<int64_t>(pair[0]) + pair[1], INT32_MAX);
            }
            break;
        case 104:
            switch (index) {
                case 0: return w.money;
                case 1: return w.stamina;
                case 2: return w.workAmount;
                case 3: return w.evaluation;
                case 4: return w.evaluationTotal;
                case 6: return GetMainRank();
                case 7: return GetLevel5();
                case 8: return w.abilityPoints % 100;
                case 9: return w.reportCount;
                default: break;
            }
            break;
        case 106:
            if (index >= 0 && index <= 3) return w.friendWord[index];
            if (index >= 4 && index <= 7) return w.exchange[index - 4];
            if (index >= 12 && index <= 15) return w.abilityMastery[index - 12];
            if (index >= 32 && index <= 35) return w.exchange[index - 32];
            break;
        case 107:
            if (index == 0) return w.seasonKind;
            break;
        case 108:
            switch (index) {
                case 0: return GetModeFactor();
                case 1: return GetScaledAllowance();
                case 2: return w.foodSent;
                case 3: return w.satietyPercent;
                default: break;
            }
            break;
        case 109:
            if (index == 0) return w.year;
            if (index == 1) return w.month;
            if (index == 2) return w.week;
            break;
        case 110:
            if (index == 0) return IsContent();
            break;
        case 112:
            if (index == 0) return w.rankMonths[0] >= 4 ? 1 : 0;
            if (index == 1) return w.rankMonths[1] > 1 ? 1 : 0;
            break;
        case 118:
            if (index == 3) return w.rankMonths[2];
            break;
        default:
            break;
    }
    *known = false;
    return 0;
}

bool CStatus::_SetDerived(int category, int index, int32_t value, bool* known) {
    *known = true;
    SStatusWords& w = m_W;
    switch (category) {
        case 100:
            switch (index) {
                case 0: w.personality = _Clamp(value, 0, 100); return true;
                case 1: w.temper = _Clamp(value, 0, 100); return true;
                case 2: w.contentment = _Clamp(value, 0, 100); return true;
                case 3: case 4: case 5: case 6: case 7: {
                    // The address reads the stored value plus the item bonus: a write
                    // applies the difference through the capped adder, so the bonus is
                    // never stored and the fraction is kept.
                    EAbility a = static_cast<EAbility>(index - 3);
                    AddAbility(a, static_cast<float>(static_cast<int64_t>(value) - GetAbilityValue(a)));
                    return true;
                }
                case 8: w.satietyPercent = value; return true;
                case 9: w.satietyCopy = _Clamp(value, 0, 100); return true;
                case 10: w.growth = _Clamp(value, 0, 200); return true;
                case 11: w.scoreTally = _Clamp(value, 0, 999); return true;
                case 12: w.kind23Value = _CapHigh(value, 200); return true;
                default: break;
            }
            break;
        case 101:
            if (index == 7 || index == 8) {
                int32_t* pair = w.homePairCounter[index - 7];
                pair[0] = _Clamp(static_cast<int64_t>(value) - pair[1], INT32_MIN, INT32_MAX);
                return true;
            }
            break;
        case 102:
            if (index >= 0 && index < kItemCount) {
                w.item[index == 31 ? 30 : index] = _Clamp(value, 0, 1);
                return true;
            }
            break;
        case 103:
            if (index == 4) { w.jobCount = value; return true; }
            if (index >= 12 && index <= 15) {
                int32_t* pair = w.exchangeCounter[index - 12];
                pair[0] = _Clamp(static_cast<int64_t>(value) - pair[1], INT32_MIN, INT32_MAX);
                return true;
            }
            break;
        case 104:
            switch (index) {
                case 0: w.money = _Clamp(value, 0, kMoneyMax); return true;
                case 1: w.stamina = _Clamp(value, 0, 300); return true;
                case 2: w.workAmount = _Clamp(value, 0, 9999); return true;
                case 3: w.evaluation = _Clamp(value, -9999, 9999); return true;
                case 4: w.evaluationTotal = _Clamp(value, 0, kEvaluationTotalMax); return true;
                case 6: case 7: return false;
                case 8:
                    // The points below the next hundred: a write moves the raw points by
                    // the difference (held at 400).
                    AddAbilityPoints(_Clamp(static_cast<int64_t>(value) - w.abilityPoints % 100, INT32_MIN, INT32_MAX));
                    return true;
                case 9: w.reportCount = value; return true;
                default: break;
            }
            break;
        case 106:
            if (index >= 0 && index <= 3) { w.friendWord[index] = value; return true; }
            if (index >= 4 && index <= 7) { w.exchange[index - 4] = _Clamp(value, 0, 999); return true; }
            if (index >= 12 && index <= 15) { w.abilityMastery[index - 12] = _Clamp(value, 0, 100); return true; }
            if (index >= 32 && index <= 35) { w.exchange[index - 32] = _Clamp(value, 0, 999); return true; }
            break;
        case 107:
            if (index == 0) {
                if (value < 0 || value > 8) {
                    DebugPrintf("CStatus::SetParam() 季節イベントの値が範囲外です[%d]", value);
                    return false;
                }
                w.seasonKind = value;
                return true;
            }
            break;
        case 108:
            if (index == 0 || index == 1) return false;
            if (index == 2) { w.foodSent = value; return true; }
            if (index == 3) { w.satietyPercent = value; return true; }
            break;
        case 109:
            if (index == 0) { w.year = value; return true; }
            if (index == 1) { w.month = value; return true; }
            if (index == 2) { w.week = value; return true; }
            break;
        case 110:
            if (index == 0) return false;
            break;
        case 112:
            if (index == 0 || index == 1) return false;
            break;
        case 118:
            if (index == 3) return false;
            break;
        default:
            break;
    }
    *known = false;
    return false;
}

// ---------------------------------------------------------------------------
// Adders

void CStatus::AddMoney(int32_t amount) { m_W.money = _Clamp(static_cast<int64_t>(m_W.money) + amount, 0, kMoneyMax); }
void CStatus::AddStamina(int32_t amount) { m_W.stamina = _Clamp(static_cast<int64_t>(m_W.stamina) + amount, 0, 300); }
void CStatus::AddWorkAmount(int32_t amount) {
    m_W.workAmount = _Clamp(static_cast<int64_t>(m_W.workAmount) + amount, 0, 9999);
}
void CStatus::AddEvaluation(int32_t amount) {
    m_W.evaluation = _Clamp(static_cast<int64_t>(m_W.evaluation) + amount, -9999, 9999);
}
void CStatus::AddAbilityPoints(int32_t amount) {
    m_W.abilityPoints = _CapHigh(static_cast<int64_t>(m_W.abilityPoints) + amount, 400);
}
void CStatus::AddExchange(int friendIndex, int32_t amount) {
    if (friendIndex < 0 || friendIndex >= kFriendCount) {
        DebugPrintf("CStatus::AddExchange() 友達の番号が範囲外です[%d]", friendIndex);
        return;
    }
    m_W.exchange[friendIndex] = _Clamp(static_cast<int64_t>(m_W.exchange[friendIndex]) + amount, 0, 999);
}
void CStatus::AddFriendSecond(int friendIndex, int32_t amount) {
    if (friendIndex < 0 || friendIndex >= kFriendCount) {
        DebugPrintf("CStatus::AddFriendSecond() 友達の番号が範囲外です[%d]", friendIndex);
        return;
    }
    m_W.abilityMastery[friendIndex] = _Clamp(static_cast<int64_t>(m_W.abilityMastery[friendIndex]) + amount, 0, 100);
}
void CStatus::AddContentment(int32_t amount) {
    m_W.contentment = _Clamp(static_cast<int64_t>(m_W.contentment) + amount, 0, 100);
}
void CStatus::AddPersonality(int32_t amount) {
    m_W.personality = _Clamp(static_cast<int64_t>(m_W.personality) + amount, 0, 100);
}
void CStatus::AddTemper(int32_t amount) { m_W.temper = _Clamp(static_cast<int64_t>(m_W.temper) + amount, 0, 100); }
void CStatus::AddSatietyCopy(int32_t amount) {
    m_W.satietyCopy = _Clamp(static_cast<int64_t>(m_W.satietyCopy) + amount, 0, 100);
}
void CStatus::AddGrowth(int32_t amount) { m_W.growth = _Clamp(static_cast<int64_t>(m_W.growth) + amount, 0, 200); }
void CStatus::AddScoreTally(int32_t amount) {
    m_W.scoreTally = _Clamp(static_cast<int64_t>(m_W.scoreTally) + amount, 0, 999);
}
void CStatus::AddKind23Value(int32_t amount) {
    m_W.kind23Value = _CapHigh(static_cast<int64_t>(m_W.kind23Value) + amount, 200);
}

void CStatus::AddItem(int item, int32_t amount) {
    if (item < 0 || item >= kItemCount) {
        DebugPrintf("CStatus::AddItem() アイテム番号が範囲外です[%d]", item);
        return;
    }
    int32_t& word = m_W.item[item == 31 ? 30 : item];
    word = _Clamp(static_cast<int64_t>(word) + amount, 0, 1);
}

void CStatus::RaiseFlag(int n, int32_t v) {
    if (n < 0 || n >= kItemCount) {
        DebugPrintf("CStatus::RaiseFlag() フラグ番号が範囲外です[%d]", n);
        return;
    }
    int32_t& word = m_W.item[n == 31 ? 30 : n];
    word = _CapHigh(static_cast<int64_t>(word) + v, 1);
}

void CStatus::AddAbility(EAbility ability, float amount) {
    if (ability < 0 || ability >= ABILITY_COUNT) {
        DebugPrintf("CStatus::AddAbility() 能力の番号が範囲外です[%d]", static_cast<int>(ability));
        return;
    }
    float v = m_W.ability[ability] + amount;
    if (!(v >= 0.0f)) {  // also catches NaN
        v = 0.0f;
    }
    int bonus = GetAbilityBonus(ability);
    if (static_cast<double>(std::trunc(v)) + bonus > 999.0) {
        v = static_cast<float>(999 - bonus);
    }
    m_W.ability[ability] = v;
}

// ---------------------------------------------------------------------------
// Derived values

int CStatus::RankOf(int32_t n) {
    static const int32_t kLimits[] = {50, 300, 600, 1200, 2600};
    int rank = 0;
    for (int32_t limit : kLimits) {
        if (n >= limit) ++rank;
    }
    return rank;
}

int CStatus::GetMainRank() const { return RankOf(m_W.evaluationTotal); }

int32_t CStatus::GetEvaluationToNextRank(int32_t total) {
    static const int32_t kLimits[] = {50, 300, 600, 1200, 2600};
    for (int32_t limit : kLimits) {
        // Taken in 64 bits: a total far below 0 (a damaged save) would overflow.
        if (total < limit) return static_cast<int32_t>(std::min<int64_t>(int64_t{limit} - total, INT32_MAX));
    }
    return 0;
}

int32_t CStatus::SettledEvaluationTotal(int32_t total, int32_t evaluation) {
    // Only capped: a month whose evaluation is worse than the total leaves it below 0,
    // and the next good month has that much to make up.
    return _Clamp(static_cast<int64_t>(total) + evaluation, INT32_MIN, kEvaluationTotalMax);
}

void CStatus::SettleWork() {
    AddMoney(static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(RankToValue(m_W.evaluationTotal)) * m_W.workAmount,
                                                    kMoneyMax)));
    m_W.evaluationTotal = SettledEvaluationTotal(m_W.evaluationTotal, m_W.evaluation);
    m_W.lastWorkAmount = m_W.workAmount;
    m_W.lastEvaluation = m_W.evaluation;
    m_W.workAmount = 0;
    m_W.evaluation = 0;
}

int CStatus::GetLevel5() const { return std::clamp(m_W.abilityPoints / 100 + 1, 1, 5); }

int CStatus::TierValue240(int32_t count) {
    if (count < 20) return 90;
    if (count < 40) return 120;
    if (count < 70) return 150;
    if (count < 110) return 180;
    if (count < 150) return 210;
    return 240;
}

int CStatus::TierValue16(int32_t count) {
    if (count < 20) return 6;
    if (count < 40) return 8;
    if (count < 70) return 10;
    if (count < 110) return 12;
    if (count < 150) return 14;
    return 16;
}

int CStatus::GetTierValue240() const { return TierValue240(m_W.jobCount); }
int CStatus::GetTierValue16() const { return TierValue16(m_W.jobCount); }

int CStatus::GetExchangeLevel(int friendIndex) const {
    if (friendIndex < 0 || friendIndex >= kFriendCount) {
        DebugPrintf("CStatus::GetExchangeLevel() 友達の番号が範囲外です[%d]", friendIndex);
        return 0;
    }
    return m_W.exchange[friendIndex] / 100;
}

int CStatus::FriendStage(int level, int rank, int32_t second, bool flag) {
    if (level >= 7 && rank >= 5) {
        return (second >= 100 && flag) ? 7 : 4;
    }
    if (level >= 4) {
        if (rank >= 4 && second >= 70 && flag) return 6;
        if (rank >= 3) return 3;
    }
    if (level < 2) return std::max(level, 0);
    if (rank < 3) return 2;
    if (second >= 50) return 5;
    return 2;
}

int CStatus::GetFriendStage(int friendIndex) const {
    if (friendIndex < 0 || friendIndex >= kFriendCount) {
        DebugPrintf("CStatus::GetFriendStage() 友達の番号が範囲外です[%d]", friendIndex);
        return 0;
    }
    static const int kFlagPair[kFriendCount][2] = {{2, 6}, {3, 4}, {4, 4}, {5, 4}};
    bool flag = m_Blocks[kFlagPair[friendIndex][0]][kFlagPair[friendIndex][1]] != 0;
    return FriendStage(GetExchangeLevel(friendIndex), GetMainRank(), m_W.abilityMastery[friendIndex], flag);
}

int CStatus::GetAbilityBonus(EAbility ability) const {
    const SItemBonus* table = nullptr;
    size_t count = 0;
    switch (ability) {
        case ABILITY_READING: table = kReadingBonus; count = std::size(kReadingBonus); break;
        case ABILITY_SPORTS: table = kSportsBonus; count = std::size(kSportsBonus); break;
        case ABILITY_ART: table = kArtBonus; count = std::size(kArtBonus); break;
        case ABILITY_MUSIC: table = kMusicBonus; count = std::size(kMusicBonus); break;
        case ABILITY_HOUSEWORK: table = kHouseworkBonus; count = std::size(kHouseworkBonus); break;
        default: return 0;
    }
    int bonus = 0;
    for (size_t i = 0; i < count; ++i) {
        if (m_W.item[table[i].item] != 0) bonus += table[i].bonus;
    }
    return bonus;
}

int32_t CStatus::GetAbilityValue(EAbility ability) const {
    if (ability < 0 || ability >= ABILITY_COUNT) return 0;
    double whole = std::trunc(static_cast<double>(m_W.ability[ability]));
    if (!(whole >= 0.0)) whole = 0.0;
    if (whole > 1.0e9) whole = 1.0e9;
    return static_cast<int32_t>(whole) + GetAbilityBonus(ability);
}

float CStatus::GetAbilityRating(EAbility ability) const {
    if (ability < 0 || ability >= ABILITY_COUNT) return 0.0f;
    int bonus = GetAbilityBonus(ability);
    // The month report's art score also counts item 17 when it came through the
    // story flag (15, 17) rather than the shop; the capped adder and the art
    // reading (100, 5) count the item words alone.
    static_assert(kArtBonus[0].item == 17);
    if (ability == ABILITY_ART && m_W.item[17] == 0 && GetParam(kFlagCategory, 17) >= 1) {
        bonus += kArtBonus[0].bonus;
    }
    return m_W.ability[ability] + static_cast<float>(bonus);
}

int CStatus::GetModeFactor() const {
    if (m_W.seasonKind == 1) return 2;
    if (m_W.seasonKind == 2) return m_W.seasonDone ? 4 : 8;
    return 4;
}

int32_t CStatus::GetScaledAllowance() const {
    int64_t x = static_cast<int64_t>(m_W.growth) * 3 / 4 + 100;
    if (IsContent() == 0) {
        x = static_cast<int64_t>(static_cast<double>(x) * 1.5);
    }
    if (m_W.seasonKind == 6) {
        x *= 2;
    }
    return _Clamp(x, INT32_MIN, 9999);
}

int32_t CStatus::GetClamped200() const { return _Clamp(m_W.kind23Value, 0, 200); }

int32_t CStatus::GetScore100() const { return _Clamp(m_W.scoreTally, 0, 100); }

// ---------------------------------------------------------------------------
// Lists

void CStatus::MarkEventSeen(int32_t id) {
    if (!HasSeenEvent(id)) {
        m_SeenEvents.push_back(id);
    }
}

bool CStatus::HasSeenEvent(int32_t id) const {
    return std::find(m_SeenEvents.begin(), m_SeenEvents.end(), id) != m_SeenEvents.end();
}

void CStatus::SetLastEvent(int32_t id, int32_t kind, int32_t sub) {
    for (SFlagRecord& r : m_FlagMap) {
        if (r.key1 == kind && r.key2 == sub) {
            r.value = id;
            return;
        }
    }
    m_FlagMap.push_back({kind, sub, id});
}

bool CStatus::FindFlag(int32_t key1, int32_t key2, int32_t* value) const {
    for (const SFlagRecord& r : m_FlagMap) {
        if (r.key1 == key1 && r.key2 == key2) {
            if (value) *value = r.value;
            return true;
        }
    }
    if (value) *value = 0;
    return false;
}

bool CStatus::HasReadLetter(const std::string& name) const {
    return std::find(m_ReadLetters.begin(), m_ReadLetters.end(), name) != m_ReadLetters.end();
}

void CStatus::AddReadLetter(const std::string& name) {
    if (!HasReadLetter(name)) {
        m_ReadLetters.push_back(name);
    }
}

// ---------------------------------------------------------------------------
// Serialization: the words in declaration order, then the blocks and the lists.

void CStatus::Serialize(CDataFile& file) {
    SStatusWords& w = m_W;
    file.Io(w.personality);
    file.Io(w.temper);
    file.Io(w.contentment);
    _IoWords(file, w.ability);
    file.Io(w.satietyPercent);
    file.Io(w.satietyCopy);
    file.Io(w.growth);
    file.Io(w.scoreTally);
    file.Io(w.kind23Value);
    file.Io(w.kind23Counter1);
    file.Io(w.kind23Counter2);
    _IoWords(file, w.item);
    file.Io(w.shopSpecial17);
    file.Io(w.shopSpecial19);

    file.Io(w.money);
    file.Io(w.stamina);
    file.Io(w.workAmount);
    file.Io(w.evaluation);
    file.Io(w.evaluationTotal);
    file.Io(w.abilityPoints);
    file.Io(w.reportCount);
    file.Io(w.lastWorkAmount);
    file.Io(w.lastEvaluation);
    file.Io(w.jobCount);

    _IoWords(file, w.friendWord);
    _IoWords(file, w.exchange);
    _IoWords(file, w.abilityMastery);

    file.Io(w.seasonKind);
    file.Io(w.seasonDone);
    file.Io(w.seasonLoss);
    file.Io(w.seasonValue);
    file.Io(w.lastSeasonKind);
    file.Io(w.lastSeasonDone);
    file.Io(w.seasonGap);

    _IoWords(file, w.rankMonths);
    file.Io(w.foodSent);
    file.Io(w.year);
    file.Io(w.month);
    file.Io(w.week);
    file.Io(w.mealDone);
    file.Io(w.smallExpenseDone);

    file.Io(w.pendingWorkGain);
    _IoWords(file, w.pendingExchangeGain);
    _IoWords(file, w.pendingBondGain);
    file.Io(w.pendingTrainingGain);
    file.Io(w.pendingJobPay);
    file.Io(w.pendingJobEvaluation);
    file.Io(w.pendingMealStamina);
    file.Io(w.pendingContentmentGain);
    for (auto& pair : w.exchangeCounter) _IoWords(file, pair);
    _IoWords(file, w.mealCounter);

    file.Io(w.pendingPersonality);
    file.Io(w.pendingTemper);
    file.Io(w.pendingContentment);
    _IoWords(file, w.pendingAbility);
    _IoWords(file, w.outingCounter);
    for (auto& pair : w.homePairCounter) _IoWords(file, pair);

    file.Io(w.outcomeRestricted);
    file.Io(w.outcomePass);
    file.Io(w.outcomeSide);
    file.Io(w.outcomeGrade);
    file.Io(w.outcomeHelped);
    file.Io(w.outcomePlace);
    file.Io(w.outcomeTop);
    file.Io(w.boostA);
    file.Io(w.boostB);

    file.Io(w.monthWorkGain);
    _IoWords(file, w.monthExchangeGain);
    _IoWords(file, w.monthGratitudeGain);
    file.Io(w.monthSkillGain);
    file.Io(w.monthPay);
    file.Io(w.monthEvaluationLoss);
    file.Io(w.monthStaminaGain);
    file.Io(w.monthPersonalityChange);
    file.Io(w.monthMindChange);
    file.Io(w.monthReadingChange);
    file.Io(w.monthSportsChange);
    file.Io(w.monthArtChange);
    file.Io(w.monthMusicChange);
    file.Io(w.monthHouseworkChange);

    // Word blocks 0 to 14, whole.
    for (auto& block : m_Blocks) _IoWords(file, block);

    // Category 15: the non-zero words as (index, value) pairs in index order.
    uint32_t flagCount = serial::IoCount(file, m_FlagWords.size(), 8);
    if (file.IsStoring()) {
        for (auto& [index, value] : m_FlagWords) {
            int32_t i = index;
            int32_t v = value;
            file.Io(i);
            file.Io(v);
        }
    } else {
        m_FlagWords.clear();
        uint32_t dropped = 0;
        for (uint32_t k = 0; k < flagCount && !file.HasFailed(); ++k) {
            int32_t i = 0;
            int32_t v = 0;
            file.Io(i);
            file.Io(v);
            if (file.HasFailed()) break;
            if (i < 0 || i >= kFlagIndexLimit) {
                ++dropped;
                continue;
            }
            if (v != 0) m_FlagWords[i] = v;
        }
        if (dropped != 0) {
            DebugPrintf("CStatus::Serialize() 範囲外のフラグ番号を読み捨てました[%u]", static_cast<unsigned>(dropped));
        }
    }

    // The plain words; an older file with fewer of them leaves the rest 0.
    uint32_t plainCount = serial::IoCount(file, m_PlainWords.size(), 4);
    if (file.IsLoading()) {
        m_PlainWords.assign(kPlainTotal, 0);
        if (plainCount > static_cast<uint32_t>(kPlainTotal)) {
            serial::MarkFailed(file);
            return;
        }
    }
    for (uint32_t k = 0; k < plainCount; ++k) {
        file.Io(m_PlainWords[k]);
    }

    serial::IoVector(file, m_SeenEvents);
    uint32_t mapCount = serial::IoCount(file, m_FlagMap.size(), 12);
    if (file.IsLoading()) m_FlagMap.assign(mapCount, SFlagRecord());
    for (SFlagRecord& r : m_FlagMap) {
        file.Io(r.key1);
        file.Io(r.key2);
        file.Io(r.value);
    }
    serial::IoStrings(file, m_ReadLetters);
}

int RankToValue(int32_t total) {
    static const int kRates[] = {2, 3, 4, 6, 8, 10};
    return kRates[CStatus::RankOf(total)];
}
