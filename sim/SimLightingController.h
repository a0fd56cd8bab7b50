#pragma once

#include "sim/SimClock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The configuration record of one location as the controller keeps it: the eleven
// record bytes of the wire layout and the location's element mask.
struct SimLocationRecord {
    std::array<uint8_t, 11> record{};   // mode, parameter, timing 1, timing 2, flags, red, green, blue, brightness
    std::vector<uint8_t> mask;          // maskLength bytes; bit n set: element n belongs here

    uint8_t Mode() const { return record[0]; }
    uint16_t Timing1() const { return static_cast<uint16_t>(record[2] << 8 | record[3]); }
    uint16_t Timing2() const { return static_cast<uint16_t>(record[4] << 8 | record[5]); }
    uint8_t Flags() const { return record[6]; }
    bool On() const { return (record[6] & 0x80) != 0; }
    uint8_t Red() const { return record[7]; }
    uint8_t Green() const { return record[8]; }
    uint8_t Blue() const { return record[9]; }
    uint8_t Brightness() const { return record[10]; }
    bool operator==(const SimLocationRecord&) const = default;
};

// Everything the controller keeps across restarts: what it reports about itself, its
// version, mode state and lock, entry tables and configuration records. The reported
// sizes may be set to values that disagree with the stored tables, to test how the
// program copes with a controller that reports nonsense.
struct SimControllerState {
    static constexpr uint16_t kSecondBankFlag = 0x0002;
    static constexpr size_t kStoredEntrySize = 5;

    uint16_t flags = 0;                 // bit 1: a second bank exists (bit 15 follows the running code)
    uint16_t maskLength = 2;
    uint16_t maxPayload = 64;
    uint16_t reserved = 0;
    uint16_t entrySize = 5;             // reported; the table itself keeps 5 bytes per entry
    uint16_t entryCount = 11;
    uint16_t configRecordSize = 13;     // reported; normally 11 + maskLength
    uint16_t locationCount = 2;
    uint16_t versionLength = 8;
    std::string version = "1.0.3";
    uint8_t modeState = 1;
    uint8_t modeLock = 0;
    // Entry n stands for lighting element n: element number (2 bytes), kind, spare, and
    // the location whose mask owns the element (0xFF when none does).
    std::array<std::vector<uint8_t>, 2> entries;
    std::array<std::vector<SimLocationRecord>, 2> locations;

    // A controller as it leaves the factory: every light on, static blue at full
    // brightness, no element assigned to any location.
    static SimControllerState Factory();
    // A controller set up before (by the program's reset): both locations own their
    // elements (location 0 element 10, location 1 elements 0 to 9), lit, static blue.
    static SimControllerState Configured();

    bool HasSecondBank() const { return (flags & kSecondBankFlag) != 0; }
    // Sizes the tables to the counts and recomputes the entries' owners from the masks.
    void Normalise();
    bool operator==(const SimControllerState&) const = default;
};

// How the controller announces itself on the HID bus.
struct SimControllerIdentity {
    uint16_t vendor = 0x04D9;
    uint16_t product = 0x8008;
    std::wstring serial;                // may be empty, as on many of these controllers
    int interfaceCount = 2;             // interface 0 carries the lighting reports
    uint16_t inputReportLength = 64;
    uint16_t outputReportLength = 64;
    bool upperCasePaths = false;        // a driver that reports its paths in upper case
};

// Timings of the controller's own behaviour, on the simulated clock.
struct SimControllerTimings {
    uint32_t upgradeRestartMs = 2000;   // off the bus after "restart into upgrade mode"
    uint32_t restartMs = 300;           // off the bus after "restart"
    uint32_t blockSessionMs = 500;      // a block read not continued within this starts over
    uint32_t replyLatencyMs = 1;        // a reply leaves this long after its request arrived
};

// One frame the controller received, with its arrival time.
struct SimReceivedFrame {
    uint64_t timeMs = 0;
    uint16_t access = 0;
    uint8_t command = 0;
    std::vector<uint8_t> payload;
};

// One output report the controller received, as it came.
struct SimReceivedReport {
    uint64_t timeMs = 0;
    std::vector<uint8_t> bytes;
};

// An input report waiting in the controller's queue; it can be read from readyMs on.
struct SimInputReport {
    uint64_t readyMs = 0;
    std::vector<uint8_t> bytes;
};

// Misbehaviour of the replies to get requests, injected by tests.
enum class SimReplyFault {
    kNoReply,          // the request is answered with nothing
    kLate,             // the reply arrives delayMs after the request
    kGarbage,          // input reports full of bytes that hold no frame
    kTruncated,        // the reply frame stops before its end bytes
    kOtherCommand,     // a well-formed reply with the right data under another command code
};

// The lighting controller at the level of its HID reports: 0x3F output reports in,
// 0x3F input reports out. It reassembles frames, answers get requests (block reads piece
// by piece), applies set requests to its records, runs its upgrade code with
// CRC-checked blocks, leaves the bus and comes back when restarted, records what it
// receives with the simulated time, and misbehaves on demand. Thread-safe.
class SimLightingController {
public:
    static constexpr uint8_t kReportId = 0x3F;
    static constexpr uint16_t kUpgradeFlag = 0x8000;
    static constexpr int kAnyCommand = -1;
    // A firmware image names its version with this tag followed by the text (ended by
    // NUL, CR, LF or the version length).
    static constexpr const char* kImageVersionTag = "KADU-FW-VERSION:";

    explicit SimLightingController(SimClock& clock, SimControllerState state = SimControllerState::Factory(),
                                   SimControllerIdentity identity = {}, SimControllerTimings timings = {});
    SimLightingController(const SimLightingController&) = delete;
    SimLightingController& operator=(const SimLightingController&) = delete;

    const SimControllerIdentity& Identity() const { return identity_; }
    SimClock& Clock() const { return clock_; }

    // --- HID report level (the bus calls these) ---
    void ReceiveOutputReport(const uint8_t* report, size_t length);
    std::optional<SimInputReport> PeekInputReport() const;
    void PopInputReport();
    // Puts a report of any content on the input pipe, arriving after delayMs (noise).
    void QueueInputReport(const std::vector<uint8_t>& report, uint32_t delayMs = 0);
    // Drops the input reports that have arrived by now (the driver's queue flush).
    void DropArrivedInput();
    // Changes each time the controller leaves the bus: handles of an older epoch are dead.
    uint64_t Epoch() const;
    bool Present() const;

    // --- State ---
    SimControllerState State() const;
    void SetState(const SimControllerState& state);
    SimLocationRecord Location(size_t index, size_t bank = 0) const;
    // The state as bytes, for keeping it across runs; loading refuses anything malformed
    // and then leaves the state unchanged.
    std::vector<uint8_t> SaveSnapshot() const;
    bool LoadSnapshot(const std::vector<uint8_t>& bytes);

    // --- Upgrade code ---
    bool InUpgradeCode() const;
    bool UpgradeFailed() const;             // a block with a bad CRC arrived in this download
    std::vector<uint8_t> WrittenImage() const;
    int UpgradeCount() const;               // downloads adopted since construction

    // --- What it received ---
    std::vector<SimReceivedFrame> ReceivedFrames() const;
    std::vector<SimReceivedReport> ReceivedReports() const;
    void ForgetReceived();

    // --- Faults ---
    // The next `times` get requests for `command` (or any) are answered badly, after
    // `afterRequests` such requests have been answered well.
    void InjectReplyFault(SimReplyFault fault, int times = 1, int command = kAnyCommand, uint32_t delayMs = 0,
                          int afterRequests = 0);
    void ClearFaults();
    // The next firmware block is damaged on its way in, so its CRC no longer fits.
    void CorruptNextBlock();
    // Another program holds the controller's interfaces open exclusively.
    void SetHeldExclusively(bool held);
    bool HeldExclusively() const;
    // Unplugged until Return: open handles die, the paths disappear.
    void Remove();
    void Return();

private:
    struct PendingFault {
        SimReplyFault fault;
        int remaining;
        int command;
        uint32_t delayMs;
        int skip;
    };
    enum class Code { kNormal, kUpgrade };

    void UpdatePresenceLocked() const;
    void LeaveBusLocked(uint32_t forMs, Code comingBackIn);
    void HandleFrameLocked(uint16_t access, uint8_t command, const std::vector<uint8_t>& payload);
    void HandleGetLocked(uint8_t command, const std::vector<uint8_t>& payload);
    void HandleSetLocked(uint8_t command, const std::vector<uint8_t>& payload);
    void HandleUpgradeSetLocked(uint8_t command, const std::vector<uint8_t>& payload);
    std::vector<uint8_t> DeviceInfoLocked() const;
    std::vector<uint8_t> BlockLocked(uint8_t command) const;
    std::vector<uint8_t> NextPieceLocked(uint8_t command);
    void ReplyLocked(uint8_t command, const std::vector<uint8_t>& payload);
    void QueueReportsLocked(const std::vector<uint8_t>& bytes, uint64_t readyMs);
    std::optional<PendingFault> TakeFaultLocked(uint8_t command);
    SimLocationRecord* LocationLocked(uint16_t index);
    void AdoptImageLocked();

    SimClock& clock_;
    const SimControllerIdentity identity_;
    const SimControllerTimings timings_;
    mutable std::mutex mutex_;

    SimControllerState state_;
    mutable Code code_ = Code::kNormal;
    mutable bool present_ = true;
    mutable std::optional<uint64_t> returnAtMs_;
    mutable Code returnCode_ = Code::kNormal;
    uint64_t epoch_ = 0;
    bool heldExclusively_ = false;

    std::vector<uint8_t> assembly_;          // data of a frame arriving in several reports
    std::deque<SimInputReport> input_;
    std::vector<SimReceivedFrame> frames_;
    std::vector<SimReceivedReport> reports_;
    std::vector<PendingFault> faults_;

    int blockCommand_ = -1;
    size_t blockOffset_ = 0;
    uint64_t blockLastMs_ = 0;

    bool downloading_ = false;
    bool downloadFailed_ = false;
    bool downloadComplete_ = false;
    bool corruptNextBlock_ = false;
    std::vector<uint8_t> image_;
    std::vector<uint8_t> lastImage_;
    int upgrades_ = 0;
};
