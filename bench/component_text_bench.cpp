// Parsing cost of form descriptions: it must grow linearly with the text, whether the text is
// many components, one long string of '+' pieces or a large picture in binary form. The
// yardstick is a copy of the same text.
//   lv_bench --benchmark_filter='Parse|CopyText'
#include <string>

#include "gui/forms/component_text.h"
#include "median_report.h"

namespace {

std::string ManyComponents(int count) {
    std::string text = "object MainWindow: TfmForm\r\n  Caption = 'Main'\r\n";
    for (int i = 0; i < count; ++i) {
        text += "  object Label" + std::to_string(i) +
                ": TLabel\r\n    Tag = 3\r\n    Left = " + std::to_string(i) +
                "\r\n    Font.Style = [fsBold, fsUnderline]\r\n"
                "    Caption = 'Label'#13#10'text'\r\n  end\r\n";
    }
    return text + "end\r\n";
}

std::string LongString(int pieces) {
    std::string text = "object A: TfmForm\r\n  Caption = 'x'";
    for (int i = 0; i < pieces; ++i) text += " +\r\n    'some text of the caption'";
    return text + "\r\nend\r\n";
}

std::string LargePicture(int lines) {
    std::string text = "object A: TLVPreview\r\n  Picture.Data = {";
    for (int i = 0; i < lines; ++i)
        text += "\r\n    00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF";
    return text + "}\r\nend\r\n";
}

void BM_Parse(benchmark::State& state, std::string (*make)(int), const char* kind) {
    const std::string text = make(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(lv::ParseComponentText(text, "bench.lvu"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    lv::bench::CompareWith(
        state, std::string("BM_CopyText/") + kind + "/" + std::to_string(state.range(0)));
}

void BM_CopyText(benchmark::State& state, std::string (*make)(int)) {
    const std::string text = make(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string copy = text;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

BENCHMARK_CAPTURE(BM_Parse, components, ManyComponents, "components")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000);
BENCHMARK_CAPTURE(BM_Parse, long_string, LongString, "long_string")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000);
BENCHMARK_CAPTURE(BM_Parse, picture, LargePicture, "picture")->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK_CAPTURE(BM_CopyText, components, ManyComponents)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK_CAPTURE(BM_CopyText, long_string, LongString)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK_CAPTURE(BM_CopyText, picture, LargePicture)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace
