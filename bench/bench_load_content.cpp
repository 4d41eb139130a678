// Loading the largest content file the format allows (65,500 lines of 255 characters), against the floor:
// one fread of the same file into one freshly allocated buffer. Prints the time ratio and how much memory
// the loaded lines take compared with the file.
#include "content_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <random>

namespace {

constexpr std::size_t LineCount = 65500;

const std::filesystem::path& benchFile() {
    static const std::filesystem::path path = [] {
        const auto file = std::filesystem::temp_directory_path() / "kvizaro-bench-enhavo.adt";
        std::mt19937 engine(1);
        std::uniform_int_distribution<int> letter('a' + 1, 'z' + 1); // stored form: every byte plus one
        std::string stored;
        stored.reserve(LineCount * (kvizaro::MaxLineLength + 2));
        for (std::size_t i = 0; i < LineCount; ++i) {
            for (std::size_t c = 0; c < kvizaro::MaxLineLength; ++c) {
                stored += static_cast<char>(letter(engine));
            }
            stored += "\r\n";
        }
        std::ofstream(file, std::ios::binary) << stored;
        return file;
    }();
    return path;
}

void BM_FreadFloor(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(benchFile()));
    for (auto _ : state) {
        std::FILE* file = std::fopen(benchFile().c_str(), "rb");
        std::unique_ptr<char[]> buffer(new char[size]);
        benchmark::DoNotOptimize(std::fread(buffer.get(), 1, size, file));
        std::fclose(file);
        benchmark::DoNotOptimize(buffer.get());
    }
}
BENCHMARK(BM_FreadFloor)->Unit(benchmark::kMillisecond);

void BM_LoadContent(benchmark::State& state) {
    const auto size = static_cast<double>(std::filesystem::file_size(benchFile()));
    double memoryFactor = 0;
    for (auto _ : state) {
        kvizaro::LoadResult result = kvizaro::LoadContent(benchFile());
        if (result.error || result.lines.size() != LineCount) {
            state.SkipWithError("content did not load whole");
        }
        memoryFactor = static_cast<double>(result.lines.memoryBytes()) / size;
        benchmark::DoNotOptimize(result);
    }
    state.counters["memory_factor"] = memoryFactor;
}
BENCHMARK(BM_LoadContent)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time so the ratio can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double time(const std::string& name) const {
        const auto found = times_.find(name);
        return found == times_.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double floor = reporter.time("BM_FreadFloor");
    if (floor > 0) {
        std::cout << "LoadContent / fread floor: " << reporter.time("BM_LoadContent") / floor << "x\n";
    }
    std::filesystem::remove(benchFile());
    benchmark::Shutdown();
    return 0;
}
