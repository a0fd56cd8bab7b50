#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every picture of the skin, encoded, with its path relative to the project root.
struct SkinFile {
    std::string path;
    std::vector<uint8_t> bytes;
};

std::vector<SkinFile> MakeSkin();
