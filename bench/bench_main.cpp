// lv_bench's entry point: unless the command line says otherwise, every benchmark runs nine
// times and only the aggregates of those runs are shown, then the table of medians against
// their yardsticks.
#include <string>
#include <vector>

#include "median_report.h"

int main(int argc, char** argv) {
    std::vector<char*> arguments(argv, argv + argc);
    auto given = [&](const std::string& flag) {
        for (int i = 1; i < argc; ++i)
            if (std::string(argv[i]).rfind(flag, 0) == 0) return true;
        return false;
    };
    static char repetitions[] = "--benchmark_repetitions=9";
    static char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    if (!given("--benchmark_repetitions")) arguments.push_back(repetitions);
    if (!given("--benchmark_report_aggregates_only") &&
        !given("--benchmark_display_aggregates_only"))
        arguments.push_back(aggregatesOnly);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
    lv::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
