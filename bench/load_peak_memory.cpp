// Loads one content file as the program does and prints what it kept and the process's peak resident
// memory, so that the cost of hostile files (one giant line, nothing but CRs) can be compared with what
// they keep. Usage: load-peak-memory FILE
#include "content_file.h"

#include <cstdio>
#include <sys/resource.h>

namespace {

long peakResidentKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: load-peak-memory FILE\n");
        return 64;
    }
    const long before = peakResidentKiB();
    const kvizaro::LoadResult result = kvizaro::LoadContent(argv[1]);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < result.lines.size(); ++i) {
        kept += result.lines[i].size();
    }
    std::printf("lines %zu, bytes kept %zu, error \"%s\"\n", result.lines.size(), kept,
                result.error.value_or("").c_str());
    std::printf("peak resident: %ld KiB before loading, %ld KiB after\n", before, peakResidentKiB());
    return 0;
}
