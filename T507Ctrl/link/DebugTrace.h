#pragma once

#include <cstdint>
#include <string>

class Message;

// Where finished trace lines go: the debugger output in the program, a list in tests.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void Write(const std::wstring& line) = 0;
};

// Makes sink the destination of every trace line (null: lines go nowhere); returns the
// previous one. Safe to call while other threads trace.
TraceSink* InstallTraceSink(TraceSink* sink);

// Writes "<sourceFile>(<line>) : " followed by the formatted text (which carries its
// own line end). Wide format; wide text arguments take %ls. Nothing is written when
// formatting fails. Keeps no state; any thread may call it.
void DebugTrace(const wchar_t* format, const wchar_t* sourceFile, int line, ...);

#define LUMIVAR_WIDEN2(text) L##text
#define LUMIVAR_WIDEN(text) LUMIVAR_WIDEN2(text)
// DebugTrace with the calling source file and line.
#define DEBUG_TRACE(format, ...) DebugTrace(format, LUMIVAR_WIDEN(__FILE__), __LINE__ __VA_OPT__(, ) __VA_ARGS__)

// The request trace line of an executed message, upper case and ending in "\r\n":
// "CMD: [cc]   DATA: [ pp pp ]   RESULT: [TRUE]". Empty when the message's bytes hold
// no frame or the frame is command 0x09.
std::wstring RequestTraceLine(int32_t result, const Message& message);

// Writes the request trace line of a message, when there is one.
void TraceRequest(int32_t result, const Message& message, const wchar_t* sourceFile, int line);
