// Decodes a JPEG file over and over and prints the time one decode takes.
// Usage: jpeg_bench FILE [COUNT]

#include "framework/Errors.h"
#include "framework/JpegImage.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::vector<std::uint8_t> data;
    if (std::FILE* file = std::fopen(path, "rb")) {
        std::uint8_t chunk[65536];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            data.insert(data.end(), chunk, chunk + got);
        std::fclose(file);
    }
    return data;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: jpeg_bench FILE [COUNT]\n");
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 100;
    const std::vector<std::uint8_t> data = ReadFile(argv[1]);
    try {
        DecodedImage image = DecodeJpeg(data.data(), data.size()); // warm-up
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < count; ++i)
            image = DecodeJpeg(data.data(), data.size());
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
#ifdef _WIN32
        const BitmapHandle bitmap = CreateDibFromImage(image);
        if (!bitmap.Get())
            return 1;
#endif
        std::printf("%dx%d, %zu bytes: %.3f ms per decode (%d decodes)\n", image.width,
                    image.height, data.size(), took.count() / count, count);
    } catch (const Exception& error) {
        std::fprintf(stderr, "%s: %s\n", error.ClassName(), error.what());
        return 1;
    }
    return 0;
}
