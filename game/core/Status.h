#pragma once
// The status record of the raised girl and of the player character: abilities,
// mood, friendships, items, money, work, the calendar, the season of the month and
// the lists of what has happened in the game.
//
// Scripts, event conditions and settings address values by a pair (category,
// index) through GetParam/SetParam; categories 0 to 15 are plain word blocks,
// categories from 100 on are the named values and values derived from them.  The
// whole map, with ranges and write rules, is written down in docs/status-map.md.
// The in-game code also reads and writes named words directly (Words()), and
// changes the bounded values through the clamping adders.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/core/Serializable.h"

// The five abilities of the girl, in the order of their addresses (100, 3) to (100, 7).
enum EAbility { ABILITY_READING = 0, ABILITY_SPORTS, ABILITY_ART, ABILITY_MUSIC, ABILITY_HOUSEWORK, ABILITY_COUNT };

// One record of the flag map: per occasion (key1 = kind, key2 = sub) the id of the
// event that last played for it.
struct SFlagRecord {
    int32_t key1 = 0;
    int32_t key2 = 0;
    int32_t value = 0;
    bool operator==(const SFlagRecord&) const = default;
};

// The words of the status record that the game code names directly.  Fields that
// also have an address say so; the others are reached only through these names.
struct SStatusWords {
    // The girl.
    int32_t personality = 0;        // (100, 0) 0..100; below 50 quiet, else active
    int32_t temper = 0;             // (100, 1) 0..100
    int32_t contentment = 0;        // (100, 2) 0..100
    float ability[ABILITY_COUNT] = {};  // stored ability values; (100, 3..7) add the item bonus
    int32_t satietyPercent = 0;     // (100, 8) and (108, 3)
    int32_t satietyCopy = 0;        // (100, 9) 0..100
    int32_t growth = 0;             // (100, 10) 0..200
    int32_t scoreTally = 0;         // 0..999; (100, 11) reads it held to 0..100
    int32_t kind23Value = 0;        // self-sufficiency, at most 200; (100, 12) reads it held to 0..200
    int32_t kind23Counter1 = 0;
    int32_t kind23Counter2 = 0;
    int32_t item[35] = {};          // (102, 0..34): 1 once the item is owned (also the flag words)
    int32_t shopSpecial17 = 0;      // also marks item 17 as not for sale when above 0
    int32_t shopSpecial19 = 0;      // also marks item 19 as not for sale when above 0

    // The player character.
    int32_t money = 0;              // (104, 0) 0..9,999,999
    int32_t stamina = 0;            // (104, 1) 0..300
    int32_t workAmount = 0;         // (104, 2) 0..9,999 (this month)
    int32_t evaluation = 0;         // (104, 3) -9,999..9,999 (this month)
    int32_t evaluationTotal = 0;    // (104, 4) at most 99,999; below 0 after a bad month's settlement
    int32_t abilityPoints = 0;      // raw points, at most 400; (104, 7) level, (104, 8) points mod 100
    int32_t reportCount = 0;        // (104, 9)
    int32_t lastWorkAmount = 0;     // last month's work amount
    int32_t lastEvaluation = 0;     // last month's evaluation
    int32_t jobCount = 0;           // (103, 4) part-time jobs done

    // Friends 0 to 3.
    int32_t friendWord[4] = {};     // (106, 0..3): the first key of the candidate choice
    int32_t exchange[4] = {};       // (106, 4..7) and (106, 32..35): 0..999, level = value / 100
    int32_t abilityMastery[4] = {}; // (106, 12..15): the second friend value (gratitude), 0..100

    // The season of the month.
    int32_t seasonKind = 0;         // (107, 0): 0 none .. 8; cleared at each month's start
    uint8_t seasonDone = 0;         // its done flag
    int32_t seasonLoss = 0;         // the money an event took (given back when it is overcome)
    int32_t seasonValue = 0;        // the satiety an event took (given back when it is overcome)
    int32_t lastSeasonKind = 0;     // last month's event
    uint8_t lastSeasonDone = 0;     // and its done flag
    int32_t seasonGap = 0;          // months without a seasonal event

    int32_t rankMonths[3] = {};     // rank-month counters 1 to 3, 0..10 each
    int32_t foodSent = 0;           // (108, 2) food sent this month
    int32_t year = 0;               // (109, 0)
    int32_t month = 0;              // (109, 1)
    int32_t week = 0;               // (109, 2)
    uint8_t mealDone = 0;           // the meal was taken this week
    uint8_t smallExpenseDone = 0;   // the small expense was spent this week

    // Mansion side: pending results of the running action, applied after its event.
    int32_t pendingWorkGain = 0;
    int32_t pendingExchangeGain[4] = {};
    int32_t pendingBondGain[4] = {};
    int32_t pendingTrainingGain = 0;
    int32_t pendingJobPay = 0;
    int32_t pendingJobEvaluation = 0;
    int32_t pendingMealStamina = 0;
    int32_t pendingContentmentGain = 0;
    // Action counters without an address of their own.
    int32_t exchangeCounter[4][2] = {};  // per friend and manner; (103, 12 + friend) is the sum
    int32_t mealCounter[3] = {};

    // Home side: pending changes of the running action, and the outing counters.
    int32_t pendingPersonality = 0;
    int32_t pendingTemper = 0;
    int32_t pendingContentment = 0;
    float pendingAbility[ABILITY_COUNT] = {};
    int32_t outingCounter[18] = {};
    // (101, 7) and (101, 8) are counters of two words each; the pair reads their sum.
    int32_t homePairCounter[2][2] = {};

    // The outcome of the occasion (23, 1) and its multipliers.
    int32_t outcomeRestricted = 0;
    int32_t outcomePass = 0;
    int32_t outcomeSide = 0;
    int32_t outcomeGrade = 0;
    int32_t outcomeHelped = 0;
    int32_t outcomePlace = 0;
    int32_t outcomeTop = 0;
    int32_t boostA = 0;
    int32_t boostB = 0;

    // This month's changes, for the month report.
    int32_t monthWorkGain = 0;
    int32_t monthExchangeGain[4] = {};
    int32_t monthGratitudeGain[4] = {};
    int32_t monthSkillGain = 0;
    int32_t monthPay = 0;
    int32_t monthEvaluationLoss = 0;
    int32_t monthStaminaGain = 0;
    int32_t monthPersonalityChange = 0;
    int32_t monthMindChange = 0;
    float monthReadingChange = 0;
    float monthSportsChange = 0;
    float monthArtChange = 0;
    float monthMusicChange = 0;
    float monthHouseworkChange = 0;

    bool operator==(const SStatusWords&) const = default;
};

class CStatus : public CSerializable {
public:
    // Categories 0 to 14 are blocks of this many words; category 15 holds a word per
    // index 0 to kFlagIndexLimit - 1 (event ids), stored sparsely.
    static constexpr int kBlockCount = 15;
    static constexpr int kBlockSize = 100;
    static constexpr int kFlagCategory = 15;
    static constexpr int kFlagIndexLimit = 100000;
    static constexpr int kFriendCount = 4;
    static constexpr int kItemCount = 35;
    static constexpr int32_t kMoneyMax = 9999999;
    static constexpr int32_t kEvaluationTotalMax = 99999;

    CStatus();

    // Every value back to a new game's (all zero, lists empty).
    void Reset();
    bool operator==(const CStatus& other) const;

    void Serialize(CDataFile& file) override;

    // ---- (category, index) access ----
    // The value of a pair; 0 for a pair the record does not know (with a log line).
    int32_t GetParam(int category, int index) const;
    // Writes a pair by its rule (docs/status-map.md): clamped values are held to
    // their range, read-only pairs and unknown pairs write nothing (with a log line).
    // True when something was written.
    bool SetParam(int category, int index, int32_t value);
    // Whether the pair has a place in the record (read-only pairs included).
    static bool IsKnownParam(int category, int index);
    // Whether SetParam can change the pair.
    static bool IsWritableParam(int category, int index);
    // How many plain words the categories from 101 on hold (their save layout).
    static int GetPlainWordCount();

    SStatusWords& Words() { return m_W; }
    const SStatusWords& Words() const { return m_W; }

    // ---- clamping adders ----
    // Signed amount; the money is held to 0..9,999,999.
    void AddMoney(int32_t amount);
    void AddStamina(int32_t amount);          // 0..300
    void AddWorkAmount(int32_t amount);       // 0..9,999
    void AddEvaluation(int32_t amount);       // -9,999..9,999
    void AddAbilityPoints(int32_t amount);    // at most 400, no floor
    void AddExchange(int friendIndex, int32_t amount);     // 0..999
    void AddFriendSecond(int friendIndex, int32_t amount); // 0..100
    void AddContentment(int32_t amount);      // 0..100
    void AddPersonality(int32_t amount);      // 0..100
    void AddTemper(int32_t amount);           // 0..100
    void AddSatietyCopy(int32_t amount);      // 0..100
    void AddGrowth(int32_t amount);           // 0..200
    void AddScoreTally(int32_t amount);       // 0..999
    void AddKind23Value(int32_t amount);      // at most 200, no floor
    // An item word gains `amount`, held to 0..1.
    void AddItem(int item, int32_t amount);
    // Flag word n += v, held at 1 at most; n 31 is the word of 30.
    void RaiseFlag(int n, int32_t v);
    // The capped ability adder: a negative result becomes 0; when the whole part
    // plus the ability's item bonus exceeds 999, the stored value becomes 999 - bonus.
    void AddAbility(EAbility ability, float amount);
    void AddReading(float amount) { AddAbility(ABILITY_READING, amount); }
    void AddSports(float amount) { AddAbility(ABILITY_SPORTS, amount); }
    void AddArt(float amount) { AddAbility(ABILITY_ART, amount); }
    void AddMusic(float amount) { AddAbility(ABILITY_MUSIC, amount); }
    void AddHousework(float amount) { AddAbility(ABILITY_HOUSEWORK, amount); }

    // ---- derived values ----
    // 0..5 by the thresholds 50, 300, 600, 1200, 2600 (n at or above each).
    static int RankOf(int32_t n);
    // The rank of the evaluation total.
    int GetMainRank() const;
    // The stamina the player character gains each week: 10 + 4 × the main rank.
    int32_t GetRankBonus() const { return RankBonusOf(m_W.evaluationTotal); }
    // The same bonus for the rank of any evaluation total (10 to 30).
    static int32_t RankBonusOf(int32_t total) { return 10 + 4 * RankOf(total); }
    // The evaluation a total still needs to reach the next rank; 0 from the top rank on.
    static int32_t GetEvaluationToNextRank(int32_t total);
    // The month's work settled: the pay at the rate of the total before this month's
    // evaluation goes into the money, the evaluation into the total (at most 99,999, no
    // floor), this month's work and evaluation become last month's and are cleared.
    void SettleWork();
    // The total the settlement leaves: total + evaluation, at most 99,999, no floor.
    static int32_t SettledEvaluationTotal(int32_t total, int32_t evaluation);
    // Ability points / 100 + 1, at most 5 (at least 1).
    int GetLevel5() const;
    // Job pay and job cost by the part-time job count.
    int GetTierValue240() const;
    int GetTierValue16() const;
    static int TierValue240(int32_t count);
    static int TierValue16(int32_t count);
    // A friend's exchange value / 100 (0 for an index outside 0..3).
    int GetExchangeLevel(int friendIndex) const;
    int GetAbilityLevel(int friendIndex) const { return GetExchangeLevel(friendIndex); }
    // The friend stage 0..7 from the exchange level, the main rank, the second
    // friend value and the friend's flag word.
    int GetFriendStage(int friendIndex) const;
    // The stage rule on explicit inputs (level, rank, second value, flag).
    static int FriendStage(int level, int rank, int32_t second, bool flag);
    // The level 0..7 of the per-friend ability i that the seasonal screen tests: the
    // friend stage of friend i.
    int GetItemAbilityBonus(int index) const { return GetFriendStage(index); }
    // The item bonus of an ability: the sum of the bonuses of the items whose item
    // word is not 0 (the capped adder's bound and the readings (100, 3..7)).
    int GetAbilityBonus(EAbility ability) const;
    // An ability as the status pages and conditions read it: the whole part of the
    // stored value plus its item bonus ((100, 3) to (100, 7)).
    int32_t GetAbilityValue(EAbility ability) const;
    // The stored value plus the bonus as a float (the scores of the month report);
    // for art, item 17 also counts when the story flag (15, 17) is 1 or more.
    float GetAbilityRating(EAbility ability) const;
    // The art ability's effective value.
    int32_t GetEffectiveStat() const { return GetAbilityValue(ABILITY_ART); }
    // Food price per unit: 2 in a good harvest, 8 in a bad harvest until it is
    // overcome (then 4), otherwise 4.
    int GetModeFactor() const;
    // The food required this month (see docs/status-map.md).
    int32_t GetScaledAllowance() const;
    // The self-sufficiency value held to 0..200.
    int32_t GetClamped200() const;
    // The score tally held to 0..100.
    int32_t GetScore100() const;
    // 1 when the contentment is 20 or more.
    int32_t IsContent() const { return m_W.contentment >= 20 ? 1 : 0; }

    // ---- lists ----
    // Appends an event id to the list of played events unless it is there.
    void MarkEventSeen(int32_t id);
    bool HasSeenEvent(int32_t id) const;
    const std::vector<int32_t>& GetSeenEvents() const { return m_SeenEvents; }
    // Updates the flag-map record of (kind, sub) or appends {kind, sub, id}.
    void SetLastEvent(int32_t id, int32_t kind, int32_t sub);
    // The first record of (key1, key2) in list order: true and its value, else false and 0.
    bool FindFlag(int32_t key1, int32_t key2, int32_t* value) const;
    const std::vector<SFlagRecord>& GetFlagMap() const { return m_FlagMap; }
    bool HasReadLetter(const std::string& name) const;
    // Appends a letter's name unless it is there already.
    void AddReadLetter(const std::string& name);
    const std::vector<std::string>& GetReadLetters() const { return m_ReadLetters; }

private:
    int32_t* _WordOf(int category, int index);
    const int32_t* _WordOf(int category, int index) const;
    int32_t _GetDerived(int category, int index, bool* known) const;
    bool _SetDerived(int category, int index, int32_t value, bool* known);

    SStatusWords m_W;
    int32_t m_Blocks[kBlockCount][kBlockSize];
    std::map<int32_t, int32_t> m_FlagWords;   // category 15, non-zero words only
    std::vector<int32_t> m_PlainWords;         // the plain words of categories 101..143 and (104, 5) (table in Status.cpp)
    std::vector<int32_t> m_SeenEvents;
    std::vector<SFlagRecord> m_FlagMap;
    std::vector<std::string> m_ReadLetters;
};

// The pay rate of an evaluation total: 2, 3, 4, 6, 8 or 10 for its rank 0 to 5.
int RankToValue(int32_t total);
