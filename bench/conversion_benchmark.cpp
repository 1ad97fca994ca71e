// Throughput of convert_image against one std::fprintf per line, on the same
// 64 MiB pseudo-random image, writing to /dev/null so that only the
// conversion is measured. Prints the ratio of the two per width at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "fprintf_baseline.hpp"
#include "loadfile/image_converter.hpp"

namespace {

constexpr std::size_t image_size = 64 << 20;
constexpr unsigned widths[] = {16, 32, 64};

std::FILE* image_file()
{
    static std::FILE* file = [] {
        std::FILE* made = std::tmpfile();
        std::mt19937_64 generator(2026);
        std::vector<std::uint64_t> chunk(1 << 16);
        for (std::size_t written = 0; written < image_size; written += chunk.size() * 8) {
            for (std::uint64_t& word : chunk) {
                word = generator();
            }
            std::fwrite(chunk.data(), 8, chunk.size(), made);
        }
        std::fflush(made);
        return made;
    }();
    std::rewind(file);
    return file;
}

void convert_image_to_null(benchmark::State& state)
{
    const auto width = static_cast<unsigned>(state.range(0));
    std::FILE* null = std::fopen("/dev/null", "wb");
    std::setvbuf(null, nullptr, _IONBF, 0);  // as the program does
    for (auto _ : state) {
        OutputBuffer output(null);
        ConversionResult result = convert_image(image_file(), output, width, 0);
        output.flush();
        benchmark::DoNotOptimize(result);
    }
    std::fclose(null);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image_size));
}

void fprintf_baseline_to_null(benchmark::State& state)
{
    const auto width = static_cast<unsigned>(state.range(0));
    std::FILE* null = std::fopen("/dev/null", "wb");
    for (auto _ : state) {
        convert_with_fprintf(image_file(), null, width, 0);
        std::fflush(null);
    }
    std::fclose(null);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image_size));
}

BENCHMARK(convert_image_to_null)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(fprintf_baseline_to_null)
    ->Arg(16)
    ->Arg(32)
    ->Arg(64)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// Keeps each run's bytes per second so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const auto found = run.counters.find("bytes_per_second");
            if (found != run.counters.end()) {
                throughput[run.benchmark_name()] = found->second.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> throughput;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-6s %14s %14s %8s\n", "width", "convert_image", "fprintf", "ratio");
    for (unsigned width : widths) {
        const std::string arg = std::to_string(width);
        const double fast = reporter.throughput["convert_image_to_null/" + arg];
        const double slow =
            reporter.throughput["fprintf_baseline_to_null/" + arg + "/iterations:2"];
        if (fast > 0 && slow > 0) {
            std::printf("%-6u %9.0f MB/s %9.0f MB/s %7.1fx\n", width, fast / 1e6, slow / 1e6,
                        fast / slow);
        }
    }
    benchmark::Shutdown();
    return 0;
}
