// skingen: draws every picture of the skin and writes it below a project root, or
// checks that the files below a root are exactly what it would write.
//
//   skingen --out ROOT     write (creating folders as needed)
//   skingen --check ROOT   compare byte for byte; exit status 1 on any difference

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Artwork.h"

namespace {

bool ReadFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Write(const std::filesystem::path& root)
{
    int failures = 0;
    for (const SkinFile& file : MakeSkin()) {
        if (!WriteFile(root / file.path, file.bytes)) {
            std::fprintf(stderr, "cannot write %s\n", (root / file.path).string().c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int Check(const std::filesystem::path& root)
{
    int differences = 0;
    size_t count = 0;
    for (const SkinFile& file : MakeSkin()) {
        ++count;
        std::vector<uint8_t> committed;
        if (!ReadFile(root / file.path, committed)) {
            std::fprintf(stderr, "missing: %s\n", file.path.c_str());
            ++differences;
        } else if (committed != file.bytes) {
            std::fprintf(stderr, "differs: %s (run skingen --out to regenerate)\n", file.path.c_str());
            ++differences;
        }
    }
    std::printf("%zu skin files checked, %d differ\n", count, differences);
    return differences == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--out") == 0) return Write(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) return Check(argv[2]);
    std::fprintf(stderr, "usage: %s --out ROOT | --check ROOT\n", argv[0]);
    return 2;
}
