#include "game/raising/month/MonthReport.h"

#include <algorithm>
#include <cmath>

#include "engine/base/StringUtil.h"
#include "game/core/SaveRecordStrings.h"
#include "game/core/Status.h"
#include "game/raising/event/EventRow.h"
#include "game/stage/score/MonthScores.h"

namespace {

const char* const kFriendName[CStatus::kFriendCount] = {"フェリナ", "チャコル", "ミルテ", "ネリサ"};
const char* const kStageName[8] = {"知人", "友人", "親友", "大親友", "尊敬", "恋心", "恋愛", "溺愛"};
const char* const kAbilityName[ABILITY_COUNT] = {"読書", "運動", "芸術", "音楽", "家事"};
const char* const kSeasonWord[9] = {"", "豊作", "不作", "疫病", "風邪", "盗賊ズルタ", "貧乏神", "添い寝神", "奇天烈昆布丸"};
const char* const kWorkGrade[4] = {"Ｃ", "Ｂ", "Ａ", "Ｓ"};

int32_t _Clamp(int64_t v, int64_t lo, int64_t hi) { return static_cast<int32_t>(std::clamp(v, lo, hi)); }

// "(+n)" for a rise, "(n)" for anything else.
std::string _Change(int64_t change) {
    return change >= 1 ? FormatString("(+%lld)", static_cast<long long>(change))
                       : FormatString("(%lld)", static_cast<long long>(change));
}

const char* _PersonalityWord(int32_t personality) { return personality < 50 ? "大人しい" : "活発的"; }

// The ratings in the order of their abilities.
float _Rating(const CStatus& status, int ability) {
    switch (ability) {
        case ABILITY_READING: return ScoreA(status);
        case ABILITY_SPORTS: return ScoreB(status);
        case ABILITY_ART: return ScoreC(status);
        case ABILITY_MUSIC: return ScoreD(status);
        default: return ScoreE(status);
    }
}


class CReportWriter {
public:
    CReportWriter(const CStatus& status) : m_Status(status), m_W(status.Words()) {}

    // Every line after the first begins with an LF.
    void Add(const std::string& line) {
        if (!m_Text.empty()) m_Text += '\n';
        m_Text += line;
    }
    std::string Take() { return std::move(m_Text); }

    void Kind6(int32_t sub);
    void Kind7(int32_t sub);
    void Kind11(int32_t sub);
    void Kind15(int32_t sub);
    void Kind17(int32_t sub);
    void Kind18();
    void Kind21();
    void Kind26();
    void Kind28(int32_t sub);
    void Kind41();
    void Kind46();
    void Kind48();
    void EventEffects(const SMonthReportInput& input);

private:
    void _RatingLine(int ability, double change);
    void _PersonalityLine();
    void _GrowthLine();
    void _ExchangeLines(int k, int64_t change, const char* link);
    void _StageLine(int k, int oldStage, int newStage);
    void _Kind23Lines(const EventRow& row);
    void _SettingLines(const EventTerm& setting);

    const CStatus& m_Status;
    const SStatusWords& m_W;
    std::string m_Text;
};

// Left out when the truncated rating does not move.
void CReportWriter::_RatingLine(int ability, double change) {
    const double rating = _Rating(m_Status, ability);
    const int32_t before = static_cast<int32_t>(std::trunc(rating));
    const int32_t after = static_cast<int32_t>(std::clamp(std::trunc(rating + change), 0.0, 999.0));
    if (after == before) return;
    Add(FormatString("ピコネの%s能力値が %d %s になりました。", kAbilityName[ability], after,
                     _Change(after - before).c_str()));
}

void CReportWriter::_PersonalityLine() {
    const int64_t change = m_W.monthPersonalityChange;
    const char* word = _PersonalityWord(_Clamp(m_W.personality + change, 0, 100));
    if (change <= 0) {
        Add(FormatString("ピコネの性格が %s (大人しい+%lld) になりました。", word, static_cast<long long>(-change)));
    } else {
        Add(FormatString("ピコネの性格が %s (活発的+%lld) になりました。", word, static_cast<long long>(change)));
    }
}

void CReportWriter::_GrowthLine() {
    Add(FormatString("ピコネの成長が %d (+1) になりました。", _Clamp(int64_t{m_W.growth} + 1, INT32_MIN, 200)));
}

void CReportWriter::_StageLine(int k, int oldStage, int newStage) {
    if (oldStage == newStage) return;
    Add(FormatString("%sとの親密度が%sになりました。", kFriendName[k], kStageName[newStage]));
}

// The exchange value of friend k after `change`, its level and its relationship stage;
// `link` joins the name to the value ("との" for the exchange action, "の" for events).
void CReportWriter::_ExchangeLines(int k, int64_t change, const char* link) {
    const int32_t value = _Clamp(int64_t{m_W.exchange[k]} + change, 0, 999);
    Add(FormatString("%s%s交流値が %d %s になりました。", kFriendName[k], link, value % 100, _Change(change).c_str()));
    const int oldLevel = m_Status.GetAbilityLevel(k);
    const int newLevel = value / 100;
    if (newLevel != oldLevel) {
        Add(FormatString("%sとの交流レベルが %d になりました。", kFriendName[k], newLevel));
    }
    const int32_t second = m_W.abilityMastery[k];
    _StageLine(k, CheckCondition(m_Status, k, oldLevel, second), CheckCondition(m_Status, k, newLevel, second));
}

void CReportWriter::Kind6(int32_t sub) {
    const int64_t gain = m_W.monthWorkGain;
    if (gain == 0) return;
    const int32_t value = _Clamp(m_W.workAmount + gain, 0, 9999);
    if (sub >= 1 && sub <= 3) {
        Add(FormatString("%sの協力のおかげで、\n今月の仕事量が %d %s になりました。", kFriendName[sub - 1], value,
                         _Change(gain).c_str()));
    } else {
        Add(FormatString("今月の仕事量が %d %s になりました。", value, _Change(gain).c_str()));
    }
}

void CReportWriter::Kind7(int32_t sub) {
    const int k = ((sub - 1) % 4 + 4) % 4;
    if (m_W.monthExchangeGain[k] != 0) _ExchangeLines(k, m_W.monthExchangeGain[k], "との");
}

void CReportWriter::Kind11(int32_t sub) {
    if (sub < 1 || sub > CStatus::kFriendCount) return;
    const char* name = kFriendName[sub - 1];
    const int32_t gain = m_W.monthGratitudeGain[sub - 1];
    if (gain <= 0) {
        Add("ソランはまだ見習いなので、\n上手に手伝うことが出来ませんでした。");
    } else if (gain <= 2) {
        Add(FormatString("%sはソランに対し多少感謝している", name));
    } else if (gain <= 4) {
        Add(FormatString("%sはソランに対し感謝している", name));
    } else {
        Add(FormatString("%sはソランに対し非常に感謝している", name));
    }
}

void CReportWriter::Kind15(int32_t sub) {
    const int64_t gain = m_W.monthSkillGain;
    if (gain == 0) return;
    const int64_t shown = gain + m_Status.GetParam(104, 8);
    if (sub >= 1 && sub <= 4) {
        Add(FormatString("%sの協力のおかげで、\nソランの能力値が %lld %s になりました。", kFriendName[sub - 1],
                         static_cast<long long>(shown), _Change(gain).c_str()));
    } else {
        Add(FormatString("ソランの能力値が %lld %s になりました。", static_cast<long long>(shown), _Change(gain).c_str()));
    }
    const int level = m_Status.GetLevel5();
    if (shown >= 100 && level <= 4) {
        Add(FormatString("ソランの仕事能力が %s になりました。", kWorkGrade[level - 1]));
    }
}

void CReportWriter::Kind17(int32_t sub) {
    if (sub == 0) {
        Add(FormatString("今回のバイト代 %d を受け取りました。", m_W.monthPay));
        Add(FormatString("屋敷の仕事をサボった為、評価が %lld 低下しました。",
                         static_cast<long long>(-int64_t{m_W.monthEvaluationLoss})));
    } else if (sub == 1) {
        const int next = LevelToDuration(m_Status.GetParam(103, 4) + 1);
        if (next != m_W.monthPay) Add(FormatString("ソランのバイト代が、次回から %d に上がります。", next));
    }
}

void CReportWriter::Kind18() {
    const int64_t gain = m_W.monthStaminaGain;
    if (gain == 0) return;
    Add(FormatString("今回の食事で体力が %lld (%d) 回復しました。", static_cast<long long>(gain),
                     _Clamp(m_W.stamina + gain, 0, 300)));
}

void CReportWriter::Kind21() {
    const int64_t change = m_W.monthMindChange;
    if (change == 0) return;
    const char* word = m_W.contentment + change < 40 ? "不満" : "感謝";
    Add(FormatString("今回の手紙でピコネの心境が %lld (%s) 安定しました。", static_cast<long long>(change), word));
}

void CReportWriter::Kind26() {
    // The bracket is fixed text: housework always moves her the quiet way by 2.
    const char* word = _PersonalityWord(_Clamp(int64_t{m_W.personality} + m_W.monthPersonalityChange, 0, 100));
    Add(FormatString("ピコネの性格が %s (大人しい+2) になりました。", word));
    _RatingLine(ABILITY_HOUSEWORK, m_W.monthHouseworkChange);
    _GrowthLine();
}

void CReportWriter::Kind28(int32_t sub) {
    if (sub < 0 || sub >= 18) return;
    _PersonalityLine();
    if (sub < 6 || sub > 9) _RatingLine(ABILITY_SPORTS, m_W.monthSportsChange);
    _RatingLine(ABILITY_ART, m_W.monthArtChange);
    _RatingLine(ABILITY_MUSIC, m_W.monthMusicChange);
    _RatingLine(ABILITY_READING, m_W.monthReadingChange);
    _GrowthLine();
}

void CReportWriter::Kind41() { Kind28(0); }

void CReportWriter::Kind46() {
    _PersonalityLine();
    if (int64_t{m_W.contentment} + m_W.monthMindChange >= 20) {
        Add("ピコネはあなたに感謝の気持ちを抱いています。");
    } else {
        Add("ピコネはあなたに不満の気持ちを抱いています。");
    }
    _RatingLine(ABILITY_HOUSEWORK, m_W.monthHouseworkChange);
    _GrowthLine();
}

void CReportWriter::Kind48() {
    const int32_t season = m_W.seasonKind;
    Add(FormatString("ピコネの%sが治りました。", season >= 0 && season <= 8 ? kSeasonWord[season] : ""));
    // The doctor's fee, as the nursing action takes it.
    const int32_t money = m_W.money;
    int32_t fee = 0;
    if (season == 3 || season == 4) {
        const int32_t top = season == 3 ? 75 : 50;
        const double share = season == 3 ? 0.5 : 0.35;
        if (money >= top) {
            fee = top;
        } else if (money >= 2) {
            fee = static_cast<int32_t>(money * share);
        } else if (money == 1) {
            fee = 1;
        }
    }
    if (fee != 0) Add(FormatString("今回の診察費 %d を支払いました。", fee));
}

void CReportWriter::_Kind23Lines(const EventRow& row) {
    if (row.outcomeClass == 2 || row.outcomeClass == 3) {
        if (row.result == 0) {
            if (m_W.seasonKind >= 5 && m_W.seasonKind <= 8) {
                Add("季節イベントの影響で、ピコネの仕事は失敗し、自給自足は変化しませんでした。");
            } else {
                Add("ピコネの仕事は失敗し、自給自足は変化しませんでした。");
            }
            return;
        }
        Add(m_W.outcomeTop ? "ピコネの得意な仕事だったので、自給自足が 2 上昇しました。"
                           : "ピコネの仕事が成功し、自給自足が 1 上昇しました。");
        if (m_W.outcomeHelped) {
            Add(m_W.outcomePlace == 3 ? "みんなの協力のおかげで、さらに効率が上がり、自給自足が 2 上昇しました。"
                                      : "友達の協力のおかげで、さらに効率が上がり、自給自足が 1 上昇しました。");
        }
        if (row.result >= 2) {
            Add(FormatString("合計で自給自足 %d %s になりました。",
                             _Clamp(int64_t{m_Status.GetClamped200()} + row.result, INT32_MIN, 200),
                             _Change(row.result).c_str()));
        }
    } else if (row.outcomeClass != 0) {
        Add("今回、自給自足は変化しませんでした。");
    }
}

// What a setting with a constant right side will do to the value it names: the
// change its operator makes to the current value.  False for a setting that
// changes nothing (no operator, a division by 0).
bool _SettingChange(const EventTerm& s, int64_t current, int64_t* change) {
    const int64_t c = s.rightCategory;
    int64_t after = current;
    switch (s.op) {
        case 0: after = c; break;
        case 1: after = current + c; break;
        case 2: after = current - c; break;
        case 3: after = current * c; break;
        case 4:
        case 5:
            if (c == 0) return false;
            after = s.op == 4 ? current / c : current % c;
            break;
        default: return false;
    }
    *change = after - current;
    return true;
}

void CReportWriter::_SettingLines(const EventTerm& s) {
    const int cat = s.leftCategory;
    const int idx = s.leftIndex;
    int64_t change = 0;
    if (cat == 100 && idx >= 3 && idx <= 7) {
        if (_SettingChange(s, m_Status.GetParam(cat, idx), &change)) _RatingLine(idx - 3, static_cast<double>(change));
    } else if (cat == 100 && idx == 12) {
        const int32_t before = m_Status.GetClamped200();
        if (_SettingChange(s, before, &change) && change != 0) {
            Add(FormatString("設備が完成し、自給自足が %d %s になりました。", _Clamp(before + change, INT32_MIN, 200),
                             _Change(change).c_str()));
        }
    } else if (cat == 106 && idx >= 12 && idx <= 15) {
        const int k = idx - 12;
        const int32_t before = m_W.abilityMastery[k];
        if (!_SettingChange(s, before, &change)) return;
        const int32_t after = _Clamp(before + change, 0, 100);
        if (after == before) return;
        Add(FormatString("%sの恩義が %d %s になりました。", kFriendName[k], after, _Change(after - before).c_str()));
        const int level = m_Status.GetAbilityLevel(k);
        _StageLine(k, CheckCondition(m_Status, k, level, before), CheckCondition(m_Status, k, level, after));
    } else if (cat == 106 && idx >= 32 && idx <= 35) {
        const int k = idx - 32;
        const int32_t before = m_W.exchange[k];
        if (!_SettingChange(s, before, &change)) return;
        const int32_t after = _Clamp(before + change, 0, 999);
        if (after != before) _ExchangeLines(k, after - before, "の");
    }
}

void CReportWriter::EventEffects(const SMonthReportInput& input) {
    if (input.pending == nullptr) return;
    if (input.kind == 23 && input.sub == 1) _Kind23Lines(*input.pending);
    for (const EventTerm& s : input.pending->settings) {
        if (s.leftKind == 0 && s.rightKind == 1) _SettingLines(s);
    }
}

}  // namespace

std::string CMonthReport::Build(const CStatus& status, const SMonthReportInput& input) {
    if (StrCaseConvert(input.scriptName) == kFixedScript) {
        return "ロザナの商店で“買い物”が出来るようになりました。\nネリサとの“交流”が出来るようになりました。";
    }
    CReportWriter w(status);
    switch (input.kind) {
        case 6: w.Kind6(input.sub); break;
        case 7: w.Kind7(input.sub); break;
        case 11: w.Kind11(input.sub); break;
        case 15: w.Kind15(input.sub); break;
        case 17: w.Kind17(input.sub); break;
        case 18: w.Kind18(); break;
        case 21: w.Kind21(); break;
        case 26: w.Kind26(); break;
        case 28: w.Kind28(input.sub); break;
        case 41: w.Kind41(); break;
        case 46: w.Kind46(); break;
        case 48: w.Kind48(); break;
        default: w.EventEffects(input); break;
    }
    return w.Take();
}

void CMonthReport::Build(const CStatus& status, const SMonthReportInput& input, CSaveRecordStrings& record) {
    record.Reset();
    record.m_Text = Build(status, input);
}
