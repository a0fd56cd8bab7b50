#include "monitor/Kadu.h"

#include <chrono>
#include <system_error>

namespace {

// Super-I/O hardware monitor: index and data ports, and its bank-select register.
constexpr uint16_t kSuperIoIndexPort = 0xA25;
constexpr uint16_t kSuperIoDataPort = 0xA26;
constexpr uint8_t kSuperIoBankSelect = 0x4E;
constexpr uint16_t kCpuTemperatureBank = 7;
constexpr uint8_t kCpuTemperatureRegister = 0x20;
constexpr uint8_t kCpuNoReading = 0x80;

// PCI configuration space of the chipset's SMBus host (bus 0, device 31, function 4).
constexpr uint16_t kPciConfigAddressPort = 0xCF8;
constexpr uint16_t kPciConfigDataPort = 0xCFC;
constexpr uint32_t kSmbusBaseAddressRegister = 0x8000FC20;
constexpr uint32_t kSmbusCommandRegister = 0x8000FC04;
constexpr uint16_t kSmbusBaseMask = 0xFFE0;
constexpr uint8_t kPciIoSpaceEnable = 0x01;

// SMBus host registers, as offsets from its base port.
constexpr uint16_t kHostStatus = 0;
constexpr uint16_t kHostControl = 2;
constexpr uint16_t kHostCommand = 3;
constexpr uint16_t kTransmitSlaveAddress = 4;
constexpr uint16_t kHostData0 = 5;

constexpr uint8_t kStatusBusy = 0x01;
constexpr uint8_t kStatusClearAllButBusy = 0xFE;
constexpr uint8_t kStatusPending = 0x1E;  // interrupt, device error, bus error, failed
constexpr uint8_t kStatusNoData = 0x0E;   // interrupt, device error, bus error
constexpr uint8_t kStatusDataTaken = 0x20;
constexpr uint8_t kFanChipReadAddress = (0x2D << 1) | 1;
constexpr uint8_t kStartByteData = 0x48;

// Fan-speed chip: the 13-bit tachometer count, high 8 bits and low 5 bits (in 7..3).
constexpr uint8_t kTachometerHigh = 0x10;
constexpr uint8_t kTachometerLow = 0x13;
constexpr uint32_t kTachometerRpmFactor = 1350000;
constexpr uint32_t kFanSlowestRpm = 500;   // exclusive
constexpr uint32_t kFanFastestRpm = 2600;  // exclusive

uint32_t FanSpeed(uint16_t count)
{
    // Kept at full width: a small count gives a huge speed that must be dropped, not
    // wrapped into the window.
    return count == 0 ? 0 : kTachometerRpmFactor / count;
}

}  // namespace

Kadu::Kadu(PortAccess& ports, Pauses& pauses, ReadingSender& sender, GpuDriver& gpuDriver,
           std::ostream& gpuOutput)
    : gpu_(gpuDriver, gpuOutput), ports_(ports), pauses_(pauses), sender_(sender)
{
}

Kadu::~Kadu()
{
    stop_ = true;
    // A thread may be blocked handing a reading to this very thread: keep serving
    // readings until every thread has returned, then join them.
    while (running_ > 0) {
        sender_.ServePendingReadings();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    for (std::thread* thread : {&fanThread_, &gpuThread_, &cpuThread_}) {
        if (thread->joinable()) thread->join();
    }
}

bool Kadu::Start(WindowHandle target)
{
    if (started_) return false;
    started_ = true;
    target_ = target;
    try {
        StartThread(fanThread_, &Kadu::RunFanThread);
        StartThread(gpuThread_, &Kadu::RunGpuThread);
        StartThread(cpuThread_, &Kadu::RunCpuThread);
    } catch (const std::system_error&) {
        return false;  // the threads that did start run on and are joined as usual
    }
    return true;
}

void Kadu::StartThread(std::thread& thread, void (Kadu::*body)())
{
    ++running_;
    try {
        thread = std::thread([this, body] {
            (this->*body)();
            --running_;
        });
    } catch (...) {
        --running_;
        throw;
    }
}

void Kadu::ReadRegister(uint16_t bank, uint8_t reg, uint8_t& result)
{
    if (bank != 0) {
        ReadSuperIo(bank, reg, result);
    } else {
        ReadSmbus(reg, result);
    }
}

void Kadu::ReadSuperIo(uint16_t bank, uint8_t reg, uint8_t& result)
{
    std::lock_guard<std::mutex> lock(portLock_);
    ports_.WritePortByte(kSuperIoIndexPort, kSuperIoBankSelect);
    ports_.WritePortByte(kSuperIoDataPort, static_cast<uint8_t>(bank));
    ports_.WritePortByte(kSuperIoIndexPort, reg);
    result = ports_.ReadPortByte(kSuperIoDataPort);
}

void Kadu::ReadSmbus(uint8_t reg, uint8_t& result)
{
    std::lock_guard<std::mutex> lock(portLock_);

    ports_.WritePortDword(kPciConfigAddressPort, kSmbusBaseAddressRegister);
    const uint16_t base = ports_.ReadPortWord(kPciConfigDataPort) & kSmbusBaseMask;

    ports_.WritePortDword(kPciConfigAddressPort, kSmbusCommandRegister);
    const uint8_t command = ports_.ReadPortByte(kPciConfigDataPort);
    ports_.WritePortByte(kPciConfigDataPort, command | kPciIoSpaceEnable);

    const uint16_t statusPort = base + kHostStatus;
    for (int reads = 0; reads < kMaxStatusReads; ++reads) {
        if ((ports_.ReadPortByte(statusPort) & kStatusBusy) == 0) break;
    }

    ports_.WritePortByte(statusPort, kStatusClearAllButBusy);
    ports_.WritePortByte(base + kHostCommand, reg);
    ports_.WritePortByte(base + kTransmitSlaveAddress, kFanChipReadAddress);
    ports_.WritePortByte(base + kHostControl, kStartByteData);

    uint8_t status = 0;
    for (int reads = 0; reads < kMaxStatusReads; ++reads) {
        status = ports_.ReadPortByte(statusPort);
        if ((status & kStatusPending) == 0) break;
    }

    // The transaction completes during this pause.
    pauses_.Sleep(kSmbusSettleMs);

    if ((status & kStatusNoData) == 0) {
        result = ports_.ReadPortByte(base + kHostData0);
        ports_.WritePortByte(statusPort, status | kStatusDataTaken);
    }
}

uint32_t Kadu::PollFanSpeed(WindowHandle target, uint8_t& resultByte)
{
    ReadRegister(0, kTachometerHigh, resultByte);
    const uint8_t high = resultByte == 0xFF ? 0 : resultByte;
    resultByte = high;

    ReadRegister(0, kTachometerLow, resultByte);
    const uint8_t low = resultByte >> 3;

    const uint16_t count = static_cast<uint16_t>(high * 32 + low);
    const uint32_t speed = FanSpeed(count);
    if (target != nullptr && speed > kFanSlowestRpm && speed < kFanFastestRpm) {
        sender_.SendReading(target, kFanSpeedMessage, static_cast<int32_t>(speed));
    }
    return speed;
}

uint8_t Kadu::PollCpuTemperature(WindowHandle target)
{
    uint8_t t = 0;
    ReadSuperIo(kCpuTemperatureBank, kCpuTemperatureRegister, t);
    if (t == kCpuNoReading) t = 0;
    if (target != nullptr && t >= 1 && t <= 99) sender_.SendReading(target, kCpuTemperatureMessage, t);
    return t;
}

void Kadu::PollGpuTemperature(WindowHandle target, int32_t& temperature)
{
    const int32_t result = gpu_.ReadTemperature(temperature, static_cast<int32_t>(gpu_.SelectedGpu()));
    if (result == 0 && target != nullptr) sender_.SendReading(target, kGpuTemperatureMessage, temperature);
}

template <typename Poll>
void Kadu::RunThread(Poll poll)
{
    while (!stop_) {
        poll();
        pauses_.Sleep(kPollPauseMs);
    }
}

void Kadu::RunFanThread()
{
    const WindowHandle target = target_;
    uint8_t resultByte = 0;
    RunThread([&] { PollFanSpeed(target, resultByte); });
}

void Kadu::RunGpuThread()
{
    const WindowHandle target = target_;
    int32_t temperature = 0;
    RunThread([&] { PollGpuTemperature(target, temperature); });
}

void Kadu::RunCpuThread()
{
    const WindowHandle target = target_;
    RunThread([&] { PollCpuTemperature(target); });
}
