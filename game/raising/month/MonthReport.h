#pragma once
// The month report: the text the month end shows, one line per change of the month
// (values with their changes, levels, a friend's new attitude, pay, meals, illness),
// lines separated by LF.  It only reads the status and its inputs, so it can be built
// again for every page.  Texts are Shift-JIS.
#include <cstdint>
#include <string>

class CStatus;
class CSaveRecordStrings;
struct EventRow;

// What the report reads beside the status record.
struct SMonthReportInput {
    int32_t kind = 0;               // the occasion of the event started last
    int32_t sub = 0;
    const EventRow* pending = nullptr;  // the row whose script runs, or null
    std::string scriptName;         // the stage's current script file
};

class CMonthReport {
public:
    // The script whose report is fixed, compared without letter case.
    static constexpr const char* kFixedScript = "scr\\category_000\\sc_000_002.txt";

    // The report text; empty when the month changed nothing worth telling.
    static std::string Build(const CStatus& status, const SMonthReportInput& input);
    // The same into a message record: the text, no speaker and no voice.
    static void Build(const CStatus& status, const SMonthReportInput& input, CSaveRecordStrings& record);
};
