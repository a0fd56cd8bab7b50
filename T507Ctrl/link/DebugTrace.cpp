#include "link/DebugTrace.h"

#include "link/Frame.h"
#include "link/Message.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

std::atomic<TraceSink*> g_sink{nullptr};

constexpr uint8_t kUntracedCommand = 0x09;
constexpr size_t kMaxTraceCharacters = 1 << 20;

// vswprintf cannot count ahead on every C runtime: grow the buffer until it fits.
bool FormatWide(std::wstring& out, const wchar_t* format, va_list args)
{
    for (size_t size = 256; size <= kMaxTraceCharacters; size *= 2) {
        std::vector<wchar_t> buffer(size);
        va_list copy;
        va_copy(copy, args);
        const int written = std::vswprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (written >= 0 && static_cast<size_t>(written) < size) {
            out.assign(buffer.data(), static_cast<size_t>(written));
            return true;
        }
    }
    return false;
}

void AppendAscii(std::wstring& out, const char* text)
{
    for (; *text != '\0'; ++text) out.push_back(static_cast<wchar_t>(*text));
}

}  // namespace

TraceSink* InstallTraceSink(TraceSink* sink)
{
    return g_sink.exchange(sink);
}

void DebugTrace(const wchar_t* format, const wchar_t* sourceFile, int line, ...)
{
    TraceSink* sink = g_sink.load();
    if (sink == nullptr || format == nullptr) return;

    // The prefix is formatted on its own, so a '%' in a file name cannot upset it.
    std::wstring text = sourceFile != nullptr ? sourceFile : L"";
    char number[16];
    std::snprintf(number, sizeof number, "(%d) : ", line);
    AppendAscii(text, number);

    std::wstring message;
    va_list args;
    va_start(args, line);
    const bool formatted = FormatWide(message, format, args);
    va_end(args);
    if (!formatted) return;
    text += message;
    if (text.empty()) return;
    sink->Write(text);
}

std::wstring RequestTraceLine(int32_t result, const Message& message)
{
    if (message.Data() == nullptr || message.Length() <= 0) return {};
    Frame frame;
    if (frame.Parse(message.Data(), static_cast<size_t>(message.Length())) == 0) return {};
    if (frame.Command() == kUntracedCommand) return {};

    char piece[32];
    std::wstring line;
    std::snprintf(piece, sizeof piece, "cmd: [%02X]", frame.Command());
    AppendAscii(line, piece);
    AppendAscii(line, "   data: [ ");
    for (uint16_t i = 0; i < frame.Length(); ++i) {
        std::snprintf(piece, sizeof piece, "%02X ", frame.Bytes()[i]);
        AppendAscii(line, piece);
    }
    AppendAscii(line, "]   result: [");
    AppendAscii(line, result != 0 ? "TRUE" : "FALSE");
    AppendAscii(line, "]\r\n");
    for (wchar_t& c : line) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return line;
}

void TraceRequest(int32_t result, const Message& message, const wchar_t* sourceFile, int line)
{
    const std::wstring text = RequestTraceLine(result, message);
    if (!text.empty()) DebugTrace(L"%ls", sourceFile, line, text.c_str());
}
