#include "median_report.h"

#include <iomanip>
#include <ostream>
#include <sstream>

namespace lv::bench {
namespace {

constexpr const char* BaselinePrefix = "vs ";

std::string ShortName(const benchmark::BenchmarkName& name) {
    return name.args.empty() ? name.function_name : name.function_name + "/" + name.args;
}

std::string Significant(double value, int digits = 4) {
    std::ostringstream text;
    text << std::setprecision(digits) << value;
    return text.str();
}

}  // namespace

void CompareWith(benchmark::State& state, const std::string& baseline) {
    state.SetLabel(BaselinePrefix + baseline);
}

void MedianReporter::ReportRuns(const std::vector<Run>& reports) {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" ||
            run.error_occurred)
            continue;
        const double scale = benchmark::GetTimeUnitMultiplier(run.time_unit);
        Median median{run.GetAdjustedRealTime() / scale, run.GetAdjustedCPUTime() / scale, {}};
        if (run.report_label.rfind(BaselinePrefix, 0) == 0)
            median.baseline = run.report_label.substr(std::string(BaselinePrefix).size());
        const std::string name = ShortName(run.run_name);
        if (medians_.count(name) == 0) order_.push_back(name);
        medians_[name] = median;
    }
}

void MedianReporter::Finalize() {
    std::ostream& out = GetOutputStream();
    bool header = false;
    for (const std::string& name : order_) {
        const Median& m = medians_[name];
        if (m.baseline.empty()) continue;
        if (!header) {
            out << "\nMedians against the yardstick's medians from this run "
                   "(wall clock; the calling thread's processor time):\n";
            header = true;
        }
        out << "  " << name << "\n    " << Significant(m.realSeconds * 1e3) << " ms; "
            << Significant(m.cpuSeconds * 1e3) << " ms";
        const auto found = medians_.find(m.baseline);
        if (found == medians_.end()) {
            out << "; " << m.baseline << " did not run (widen --benchmark_filter)\n";
            continue;
        }
        const Median& b = found->second;
        out << " = " << Significant(m.realSeconds / b.realSeconds, 3) << " x; "
            << Significant(m.cpuSeconds / b.cpuSeconds, 3) << " x " << m.baseline << " ("
            << Significant(b.realSeconds * 1e3) << " ms; " << Significant(b.cpuSeconds * 1e3)
            << " ms)\n";
    }
    ConsoleReporter::Finalize();
}

}  // namespace lv::bench
