// Writes a firmware image through the whole update stack (task, link, request window,
// transport, simulated HID bus) into the simulated controller, twice:
//  1. over a model of a full-speed USB interrupt endpoint, one 64-byte report per
//     millisecond in each direction, compared with the wire time of that model;
//  2. over a bus that answers at once, giving the program's own time per block.
// The task's fixed pauses (100 + 100 + 10 ms) are recorded, not waited, and left out.

#include "FirmwareBenchRun.h"

#include "sim/SimUiQueue.h"

namespace {

// Reports nothing; the bench reads the outcome from the task's state.
class NoProgress final : public ProgressWindow {
public:
    void SendProgress(int32_t, intptr_t) override {}
};

}  // namespace

// The request window is a test queue on this thread: the program's own time without
// the window system's message hop (see win32/ for the benchmark with a real window).
int main(int argc, char** argv)
{
    SimUiQueue queue;
    UiQueueRequestWindow window(queue);
    SimTaskThreads threads(queue);
    NoProgress progress;
    StreamFirmwareFile reader;
    return firmwarebench::RunBenchmark(argc, argv, window, threads, progress, reader);
}
