#pragma once
// How the stage grades a month on the status record: the float ratings of the five
// abilities, the relationship stage of a friend on given inputs and the pay of a job
// grade.  They are views of rules the status record already holds (docs/status-map.md);
// these names are the ones the month report and the stage use.
#include <cstdint>

class CStatus;

// The float ratings of reading, sports, art, music and housework: the stored value
// plus the item bonuses (art also counting item 17 when only its story flag is set).
float ScoreA(const CStatus& status);
float ScoreB(const CStatus& status);
float ScoreC(const CStatus& status);
float ScoreD(const CStatus& status);
float ScoreE(const CStatus& status);

// The relationship stage 0..7 of friend `kind` at exchange level `level` with the
// second friend value `value` and the status's main rank.  Unlike the stored friend
// stage, the test of the top level reads the friend's stored second value, not
// `value`; a kind outside 0..3 has no flag and no stored value.
int CheckCondition(const CStatus& status, int kind, int level, int32_t value);

// The job pay of a job count: 90, 120, 150, 180, 210 or 240.
int LevelToDuration(int32_t value);
