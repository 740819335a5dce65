#pragma once
// The console table of a pixel benchmark, with every run's destination rate (its
// "pixels" counter, in megapixels per second) kept by benchmark name ("BM_Name" or
// "BM_Name/arg") for the summary printed after the table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

class CRateReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const auto it = r.counters.find("pixels");
            if (it != r.counters.end() && r.run_type == Run::RT_Iteration) {
                const std::string& args = r.run_name.args;
                m_Rates[r.run_name.function_name + (args.empty() ? "" : "/" + args)].push_back(it->second.value / 1e6);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Every repetition's rate in the order run; empty for a benchmark that did not run.
    const std::vector<double>& Rates(const std::string& name) const {
        static const std::vector<double> kNone;
        const auto it = m_Rates.find(name);
        return it == m_Rates.end() ? kNone : it->second;
    }
    // The best of them; 0 for a benchmark that did not run.
    double Best(const std::string& name) const {
        const std::vector<double>& v = Rates(name);
        return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
    }

private:
    std::map<std::string, std::vector<double>> m_Rates;
};
