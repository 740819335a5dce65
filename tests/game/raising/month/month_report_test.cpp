#include <gtest/gtest.h>

#include <functional>

#include "game/core/SaveRecordStrings.h"
#include "game/core/Status.h"
#include "game/raising/event/EventTable.h"
#include "game/raising/month/MonthReport.h"

namespace {

struct SCase {
    const char* name;
    std::function<void(SStatusWords&)> setup;
    int32_t kind;
    int32_t sub;
    const char* expected;
};

void _Run(const SCase* cases, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const SCase& c = cases[i];
        CStatus status;
        if (c.setup) c.setup(status.Words());
        SMonthReportInput input;
        input.kind = c.kind;
        input.sub = c.sub;
        input.scriptName = "scr\\category_001\\sc_001_004.txt";
        EXPECT_EQ(CMonthReport::Build(status, input), c.expected) << c.name;
    }
}

}  // namespace

TEST(MonthReportTest, TheFixedScriptGivesItsTwoLinesWhateverHappened) {
    CStatus status;
    status.Words().monthWorkGain = 5;
    EventRow row;
    row.outcomeClass = 1;
    for (const char* name : {"scr\\category_000\\sc_000_002.txt", "SCR\\Category_000\\SC_000_002.TXT"}) {
        const std::string text = CMonthReport::Build(status, {6, 0, &row, name});
        // Exact Shift-JIS bytes of its beginning ("ロザナの商店で“買い物”が").
        EXPECT_EQ(text.substr(0, 26), "\x83\x8d\x83\x55\x83\x69\x82\xcc\x8f\xa4\x93\x58\x82\xc5\x81\x67\x94\x83"
                                      "\x82\xa2\x95\xa8\x81\x68\x82\xaa");
        EXPECT_EQ(text, "ロザナの商店で“買い物”が出来るようになりました。\nネリサとの“交流”が出来るようになりました。");
    }
    EXPECT_EQ(CMonthReport::Build(status, {6, 0, nullptr, "scr\\category_000\\sc_000_0021.txt"}),
              "今月の仕事量が 5 (+5) になりました。");
}

TEST(MonthReportTest, MansionActions) {
    const SCase cases[] = {
        {"work alone", [](SStatusWords& w) { w.workAmount = 100; w.monthWorkGain = 12; }, 6, 0,
         "今月の仕事量が 112 (+12) になりました。"},
        {"work with a friend", [](SStatusWords& w) { w.workAmount = 9; w.monthWorkGain = 1; }, 6, 2,
         "チャコルの協力のおかげで、\n今月の仕事量が 10 (+1) になりました。"},
        {"work capped", [](SStatusWords& w) { w.workAmount = 9990; w.monthWorkGain = 20; }, 6, 4,
         "今月の仕事量が 9999 (+20) になりました。"},
        {"work lost", [](SStatusWords& w) { w.workAmount = 10; w.monthWorkGain = -3; }, 6, 0,
         "今月の仕事量が 7 (-3) になりました。"},
        {"work lost past 0", [](SStatusWords& w) { w.workAmount = 2; w.monthWorkGain = -5; }, 6, 0,
         "今月の仕事量が 0 (-5) になりました。"},
        {"no work", [](SStatusWords& w) { w.workAmount = 10; }, 6, 1, ""},
        {"exchange within a level", [](SStatusWords& w) { w.exchange[0] = 150; w.monthExchangeGain[0] = 30; }, 7, 1,
         "フェリナとの交流値が 80 (+30) になりました。"},
        {"exchange to the next level and stage",
         [](SStatusWords& w) { w.exchange[1] = 190; w.monthExchangeGain[1] = 15; }, 7, 6,
         "チャコルとの交流値が 5 (+15) になりました。\nチャコルとの交流レベルが 2 "
         "になりました。\nチャコルとの親密度が親友になりました。"},
        {"exchange lost a level", [](SStatusWords& w) { w.exchange[2] = 205; w.monthExchangeGain[2] = -10; }, 7, 3,
         "ミルテとの交流値が 95 (-10) になりました。\nミルテとの交流レベルが 1 "
         "になりました。\nミルテとの親密度が友人になりました。"},
        {"exchange capped, shown modulo 100", [](SStatusWords& w) { w.exchange[3] = 990; w.monthExchangeGain[3] = 50; },
         7, 0, "ネリサとの交流値が 99 (+50) になりました。"},
        {"exchange lost past 0", [](SStatusWords& w) { w.exchange[0] = 5; w.monthExchangeGain[0] = -10; }, 7, 1,
         "フェリナとの交流値が 0 (-10) になりました。"},
        {"no exchange", [](SStatusWords& w) { w.monthExchangeGain[1] = 9; }, 7, 1, ""},
        {"bond 0", nullptr, 11, 1, "ソランはまだ見習いなので、\n上手に手伝うことが出来ませんでした。"},
        {"bond 1", [](SStatusWords& w) { w.monthGratitudeGain[1] = 1; }, 11, 2, "チャコルはソランに対し多少感謝している"},
        {"bond 4", [](SStatusWords& w) { w.monthGratitudeGain[2] = 4; }, 11, 3, "ミルテはソランに対し感謝している"},
        {"bond 5", [](SStatusWords& w) { w.monthGratitudeGain[3] = 5; }, 11, 4, "ネリサはソランに対し非常に感謝している"},
        {"bond of no friend", [](SStatusWords& w) { w.monthGratitudeGain[0] = 5; }, 11, 0, ""},
        {"training", [](SStatusWords& w) { w.abilityPoints = 150; w.monthSkillGain = 15; }, 15, 0,
         "ソランの能力値が 65 (+15) になりました。"},
        {"training to a grade", [](SStatusWords& w) { w.abilityPoints = 90; w.monthSkillGain = 15; }, 15, 3,
         "ミルテの協力のおかげで、\nソランの能力値が 105 (+15) になりました。\nソランの仕事能力が Ｃ になりました。"},
        {"training to the top grade", [](SStatusWords& w) { w.abilityPoints = 390; w.monthSkillGain = 15; }, 15, 5,
         "ソランの能力値が 105 (+15) になりました。\nソランの仕事能力が Ｓ になりました。"},
        {"training at level 5", [](SStatusWords& w) { w.abilityPoints = 400; w.monthSkillGain = 100; }, 15, 0,
         "ソランの能力値が 100 (+100) になりました。"},
        {"no training", [](SStatusWords& w) { w.abilityPoints = 99; }, 15, 1, ""},
        {"job", [](SStatusWords& w) { w.monthPay = 90; w.monthEvaluationLoss = -6; }, 17, 0,
         "今回のバイト代 90 を受け取りました。\n屋敷の仕事をサボった為、評価が 6 低下しました。"},
        {"job without pay", nullptr, 17, 0,
         "今回のバイト代 0 を受け取りました。\n屋敷の仕事をサボった為、評価が 0 低下しました。"},
        {"job pay rises", [](SStatusWords& w) { w.jobCount = 19; w.monthPay = 90; }, 17, 1,
         "ソランのバイト代が、次回から 120 に上がります。"},
        {"job pay stays", [](SStatusWords& w) { w.jobCount = 19; w.monthPay = 120; }, 17, 1, ""},
        {"meal", [](SStatusWords& w) { w.stamina = 100; w.monthStaminaGain = 20; }, 18, 0,
         "今回の食事で体力が 20 (120) 回復しました。"},
        {"meal capped", [](SStatusWords& w) { w.stamina = 290; w.monthStaminaGain = 30; }, 18, 2,
         "今回の食事で体力が 30 (300) 回復しました。"},
        {"no meal", [](SStatusWords& w) { w.stamina = 290; }, 18, 0, ""},
        {"small expense, discontent", [](SStatusWords& w) { w.contentment = 34; w.monthMindChange = 5; }, 21, 0,
         "今回の手紙でピコネの心境が 5 (不満) 安定しました。"},
        {"small expense, grateful", [](SStatusWords& w) { w.contentment = 35; w.monthMindChange = 5; }, 21, 0,
         "今回の手紙でピコネの心境が 5 (感謝) 安定しました。"},
        {"no small expense", [](SStatusWords& w) { w.contentment = 35; }, 21, 0, ""},
    };
    _Run(cases, std::size(cases));
}

TEST(MonthReportTest, HomeActions) {
    auto housework = [](SStatusWords& w) {
        w.personality = 51;
        w.monthPersonalityChange = -2;
        w.ability[ABILITY_HOUSEWORK] = 10.0f;
        w.monthHouseworkChange = 2.0f;
        w.growth = 199;
    };
    auto outing = [](SStatusWords& w) {
        w.personality = 49;
        w.monthPersonalityChange = 1;
        w.ability[ABILITY_SPORTS] = 10.0f;
        w.monthSportsChange = 2.0f;
        w.ability[ABILITY_ART] = 10.25f;
        w.monthArtChange = -0.25f;  // stays 10: left out
        w.ability[ABILITY_MUSIC] = 10.0f;
        w.monthMusicChange = -0.25f;
        w.monthReadingChange = -0.25f;  // 0 stays 0
        w.growth = 200;
    };
    const char* const kOuting =
        "ピコネの性格が 活発的 (活発的+1) になりました。\nピコネの運動能力値が 12 (+2) "
        "になりました。\nピコネの音楽能力値が 9 (-1) になりました。\nピコネの成長が 200 (+1) になりました。";
    const SCase cases[] = {
        {"housework", housework, 26, 0,
         "ピコネの性格が 大人しい (大人しい+2) になりました。\nピコネの家事能力値が 12 (+2) "
         "になりました。\nピコネの成長が 200 (+1) になりました。"},
        {"housework that moves no whole point",
         [](SStatusWords& w) {
             w.personality = 80;
             w.ability[ABILITY_HOUSEWORK] = 10.25f;
             w.monthHouseworkChange = 0.5f;
         },
         26, 2, "ピコネの性格が 活発的 (大人しい+2) になりました。\nピコネの成長が 1 (+1) になりました。"},
        {"outing", outing, 28, 0, kOuting},
        {"outing 16", outing, 28, 16, kOuting},
        {"outing 7 has no sports line", outing, 28, 7,
         "ピコネの性格が 活発的 (活発的+1) になりました。\nピコネの音楽能力値が 9 (-1) "
         "になりました。\nピコネの成長が 200 (+1) になりました。"},
        {"outing 18", outing, 28, 18, ""},
        {"room play, no personality change",
         [](SStatusWords& w) { w.personality = 60; w.ability[ABILITY_READING] = 3.5f; w.monthReadingChange = 1.75f; },
         41, 4,
         "ピコネの性格が 活発的 (大人しい+0) になりました。\nピコネの読書能力値が 5 (+2) "
         "になりました。\nピコネの成長が 1 (+1) になりました。"},
        {"rest, grateful",
         [](SStatusWords& w) {
             w.personality = 50;
             w.monthPersonalityChange = -1;
             w.contentment = 19;
             w.monthMindChange = 1;
             w.ability[ABILITY_HOUSEWORK] = 10.25f;
             w.monthHouseworkChange = -0.5f;
         },
         46, 1,
         "ピコネの性格が 大人しい (大人しい+1) になりました。\nピコネはあなたに感謝の気持ちを抱いています。\nピコネの家"
         "事能力値が 9 (-1) になりました。\nピコネの成長が 1 (+1) になりました。"},
        {"rest, discontent", [](SStatusWords& w) { w.contentment = 18; w.monthMindChange = 1; }, 46, 0,
         "ピコネの性格が 大人しい (大人しい+0) になりました。\nピコネはあなたに不満の気持ちを抱いています。\nピコネの成"
         "長が 1 (+1) になりました。"},
        {"cold with little money", [](SStatusWords& w) { w.seasonKind = 4; w.money = 10; }, 48, 0,
         "ピコネの風邪が治りました。\n今回の診察費 3 を支払いました。"},
        {"cold with much money", [](SStatusWords& w) { w.seasonKind = 4; w.money = 5000; }, 48, 0,
         "ピコネの風邪が治りました。\n今回の診察費 50 を支払いました。"},
        {"cold with just the top", [](SStatusWords& w) { w.seasonKind = 4; w.money = 50; }, 48, 0,
         "ピコネの風邪が治りました。\n今回の診察費 50 を支払いました。"},
        {"epidemic with just the top", [](SStatusWords& w) { w.seasonKind = 3; w.money = 75; }, 48, 0,
         "ピコネの疫病が治りました。\n今回の診察費 75 を支払いました。"},
        {"epidemic", [](SStatusWords& w) { w.seasonKind = 3; w.money = 11; }, 48, 0,
         "ピコネの疫病が治りました。\n今回の診察費 5 を支払いました。"},
        {"epidemic with 1", [](SStatusWords& w) { w.seasonKind = 3; w.money = 1; }, 48, 0,
         "ピコネの疫病が治りました。\n今回の診察費 1 を支払いました。"},
        {"epidemic without money", [](SStatusWords& w) { w.seasonKind = 3; }, 48, 0, "ピコネの疫病が治りました。"},
        {"another season costs nothing", [](SStatusWords& w) { w.seasonKind = 8; w.money = 500; }, 48, 0,
         "ピコネの奇天烈昆布丸が治りました。"},
    };
    _Run(cases, std::size(cases));
}

TEST(MonthReportTest, SelfSufficiencyWorkReportsItsOutcome) {
    struct SKind23 {
        const char* name;
        int32_t outcomeClass, result, top, helped, place, season;
        const char* expected;
    };
    const SKind23 cases[] = {
        {"failed", 2, 0, 1, 1, 3, 4, "ピコネの仕事は失敗し、自給自足は変化しませんでした。"},
        {"failed in a season", 3, 0, 0, 0, 0, 5,
         "季節イベントの影響で、ピコネの仕事は失敗し、自給自足は変化しませんでした。"},
        {"one point, no total", 2, 1, 0, 0, 0, 0, "ピコネの仕事が成功し、自給自足が 1 上昇しました。"},
        {"capped total", 3, 3, 1, 1, 3, 0,
         "ピコネの得意な仕事だったので、自給自足が 2 上昇しました。\nみんなの協力のおかげで、さらに効率が上がり、自給"
         "自足が 2 上昇しました。\n合計で自給自足 200 (+3) になりました。"},
        {"a friend helped", 2, 2, 0, 1, 1, 0,
         "ピコネの仕事が成功し、自給自足が 1 上昇しました。\n友達の協力のおかげで、さらに効率が上がり、自給自足が 1 "
         "上昇しました。\n合計で自給自足 200 (+2) になりました。"},
        {"no work", 1, 0, 0, 0, 0, 0, "今回、自給自足は変化しませんでした。"},
        {"no class", 0, 3, 0, 0, 0, 0, ""},
    };
    for (const SKind23& c : cases) {
        CStatus status;
        SStatusWords& w = status.Words();
        w.kind23Value = 199;
        w.outcomeTop = c.top;
        w.outcomeHelped = c.helped;
        w.outcomePlace = c.place;
        w.seasonKind = c.season;
        EventRow row;
        row.kind = 23;
        row.sub = 1;
        row.outcomeClass = c.outcomeClass;
        row.result = c.result;
        EXPECT_EQ(CMonthReport::Build(status, {23, 1, &row, ""}), c.expected) << c.name;
        // Another occasion of the same row reports no outcome.
        EXPECT_EQ(CMonthReport::Build(status, {23, 0, &row, ""}), "") << c.name;
    }
}

TEST(MonthReportTest, AnEventsConstantSettingsAreReportedInOrder) {
    CStatus status;
    SStatusWords& w = status.Words();
    w.ability[ABILITY_READING] = 10.5f;
    w.ability[ABILITY_SPORTS] = 10.5f;
    w.kind23Value = 198;
    w.evaluationTotal = 600;  // rank 3
    w.exchange[0] = 250;
    w.abilityMastery[0] = 45;
    w.exchange[1] = 150;
    w.abilityMastery[1] = 30;
    w.abilityMastery[2] = 100;
    EventRow row;
    for (const char* text : {"[100_3]+=2", "[100_3]+=[104_0]", "[104_0]+=5", "[100_12]+=5", "[106_12]+=10",
                             "[106_33]+=60", "[106_13]-5", "[100_4]=20", "[106_14]+=5", "[100_5]/0", "[100_6]-=4"}) {
        row.settings.push_back(CEventTable::_SetEventSetFlag(text));
    }
    EXPECT_EQ(CMonthReport::Build(status, {52, 3, &row, ""}),
              "ピコネの読書能力値が 12 (+2) になりました。\n設備が完成し、自給自足が 200 (+5) になりました。\nフェリナの"
              "恩義が 55 (+10) になりました。\nフェリナとの親密度が恋心になりました。\nチャコルの交流値が 10 (+60) "
              "になりました。\nチャコルとの交流レベルが 2 になりました。\nチャコルとの親密度が親友になりました。\nチャコル"
              "の恩義が 25 (-5) になりました。\nピコネの運動能力値が 20 (+10) になりました。");
    // Without a pending row there is nothing to tell.
    EXPECT_EQ(CMonthReport::Build(status, {52, 3, nullptr, ""}), "");
}

TEST(MonthReportTest, TheRecordCarriesTheTextAlone) {
    CStatus status;
    status.Words().monthStaminaGain = 10;
    CSaveRecordStrings record("名前", "古い", "voice\\a.ogg", 100, 5);
    CMonthReport::Build(status, {18, 0, nullptr, ""}, record);
    EXPECT_EQ(record, CSaveRecordStrings("", "今回の食事で体力が 10 (10) 回復しました。", ""));
}
