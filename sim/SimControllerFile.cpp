#include "sim/SimControllerFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

bool LoadControllerState(SimLightingController& controller, const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return controller.LoadSnapshot(bytes);
}

bool SaveControllerState(const SimLightingController& controller, const std::filesystem::path& file)
{
    const std::vector<uint8_t> bytes = controller.SaveSnapshot();
    std::filesystem::path temporary = file;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    return !error;
}
