// jpeg_bench without the decoder: reads the file and times nothing, so that
// the two programs' sizes differ by what decoding JPEG costs.

#include "framework/Errors.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: jpeg_bench_baseline FILE\n");
        return 2;
    }
    std::vector<std::uint8_t> data;
    try {
        if (std::FILE* file = std::fopen(argv[1], "rb")) {
            std::uint8_t chunk[65536];
            std::size_t got;
            while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
                data.insert(data.end(), chunk, chunk + got);
            std::fclose(file);
        }
        const auto start = std::chrono::steady_clock::now();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        std::printf("%zu bytes: %.3f ms\n", data.size(), took.count());
    } catch (const Exception& error) {
        std::fprintf(stderr, "%s: %s\n", error.ClassName(), error.what());
        return 1;
    }
    return 0;
}
