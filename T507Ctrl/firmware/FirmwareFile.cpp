#include "firmware/FirmwareFile.h"

#include <filesystem>

bool StreamFirmwareFile::Open(const std::wstring& path)
{
    Close();
    stream_.rdbuf()->pubsetbuf(nullptr, 0);
    stream_.open(std::filesystem::path(path), std::ios::in | std::ios::binary);
    return stream_.is_open();
}

bool StreamFirmwareFile::Length(uint64_t& length)
{
    if (!stream_.is_open()) return false;
    const std::streampos here = stream_.tellg();
    stream_.seekg(0, std::ios::end);
    const std::streamoff end = stream_.tellg();
    stream_.seekg(here);
    if (end < 0 || !stream_) {
        stream_.clear();
        return false;
    }
    length = static_cast<uint64_t>(end);
    return true;
}

size_t StreamFirmwareFile::Read(uint8_t* buffer, size_t count)
{
    if (!stream_.is_open() || buffer == nullptr || count == 0) return 0;
    stream_.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(count));
    const auto got = stream_.gcount();
    stream_.clear();   // a short read is an answer, not a state
    return got > 0 ? static_cast<size_t>(got) : 0;
}

void StreamFirmwareFile::Close()
{
    if (stream_.is_open()) stream_.close();
    stream_.clear();
}
