#pragma once

// Every benchmark of lv_bench runs several times and is reported by the median of its runs
// (the mean, spread and variation coefficient come along; no best-of or minimum is reported).
// A benchmark names, with CompareWith, the yardstick measured in the same run that its median
// is divided by; the closing table lists those ratios.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace lv::bench {

// Names the yardstick of the calling benchmark: its function name and arguments as shown in the
// output, for example "BM_FrameMemcpy/w:1920/h:1080".
void CompareWith(benchmark::State& state, const std::string& baseline);

// The console output, followed at the end by each compared benchmark's medians divided by its
// yardstick's: of the wall clock, and of the benchmark thread's processor time. On a busy
// machine the wall clock also counts the time other programs held the processor, so the
// processor-time ratio is the one to read for one-thread work; a second thread's processor time
// is not counted in it, so work on two threads is read on the wall clock of a quiet machine.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override;
    void Finalize() override;

private:
    struct Median {
        double realSeconds = 0;
        double cpuSeconds = 0;
        std::string baseline;
    };
    std::vector<std::string> order_;
    std::map<std::string, Median> medians_;
};

}  // namespace lv::bench
