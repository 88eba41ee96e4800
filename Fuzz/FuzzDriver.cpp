// The main of a fuzz target built without libFuzzer: feeds the target every file named on the
// command line, and every file below every folder named there, one at a time, in name order. A
// crash or a sanitizer report ends the run as it would end a fuzzing run, so a corpus replayed
// under the test suite fails the test that replays it.
//   <target> <folder or file>...
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional in a target, as with libFuzzer.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace
{
namespace fs = std::filesystem;

bool ReadWhole(const fs::path& path, std::vector<std::uint8_t>& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

void Collect(const fs::path& path, std::vector<fs::path>& inputs)
{
    std::error_code error;
    if (!fs::is_directory(path, error))
    {
        inputs.push_back(path);
        return;
    }
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path, error))
        if (entry.is_regular_file())
            found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    inputs.insert(inputs.end(), found.begin(), found.end());
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s <folder or file>...\n", argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i)
    {
        if (!fs::exists(argv[i]))
        {
            std::fprintf(stderr, "%s: %s does not exist\n", argv[0], argv[i]);
            return 2;
        }
        Collect(argv[i], inputs);
    }
    if (inputs.empty())
    {
        std::fprintf(stderr, "%s: no input found\n", argv[0]);
        return 2;
    }
    std::vector<std::uint8_t> bytes;
    for (const fs::path& input : inputs)
    {
        if (!ReadWhole(input, bytes))
        {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], input.c_str());
            return 2;
        }
        // Named before it runs, so the input that crashes is the last one printed.
        std::fprintf(stderr, "%s\n", input.c_str());
        // An empty vector's data() may be null; libFuzzer never passes null.
        static const std::uint8_t kNothing = 0;
        LLVMFuzzerTestOneInput(bytes.empty() ? &kNothing : bytes.data(), bytes.size());
    }
    std::printf("%zu inputs ran without a finding\n", inputs.size());
    return 0;
}
