// The main of a harness outside fuzzing: runs LLVMFuzzerTestOneInput once over each file given
// on the command line and each file inside each folder given (missing folders are skipped).
// Every input sits in a block of exactly its size, so a sanitizer sees any read past its end.
// Fails when there was no input at all: a harness must come with seeds.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path given = argv[i];
        if (fs::is_regular_file(given)) inputs.push_back(given);
        if (!fs::is_directory(given)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(given))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& path : inputs) {
        const std::size_t size = fs::file_size(path);
        const auto block = std::make_unique<std::uint8_t[]>(size);
        std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(block.get()), size);
        std::printf("%s\n", path.c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(block.get(), size);
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
