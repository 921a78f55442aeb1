// The manager's receive step over the loopback driver: the stream arrives in
// pieces on the driver's thread, with short messages between them; the
// listener gets the first message of the rule, or nothing when there is none.
#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "midi/MidiListeners.h"
#include "tests/fuzz/MidiPieces.h"

namespace
{
struct Listener : ISysExListener
{
    std::vector<Bytes> received;
    int interrupted = 0;
    bool OnSysExReceived(const SysExBuffer& bytes) override { return received.push_back(bytes.bytes()), true; }
    void OnSysExInterrupted() override { ++interrupted; }
};

LoopbackMidiDriver* g_driver = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    auto driver = std::make_unique<LoopbackMidiDriver>(std::vector<std::string>{"in"}, std::vector<std::string>{"out"});
    g_driver = driver.get();
    if (!MIDIIO::Init(false, std::move(driver)) || !MIDIIO::SelectInputDeviceByName("in") || !MIDIIO::OpenPorts())
        __builtin_trap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<Bytes> pieces = Pieces(data, size);
    const std::vector<Bytes> expected = Expected(pieces);
    Listener listener;
    if (!MIDIIO::BeginReceive(&listener, nullptr))
        __builtin_trap();
    for (const Bytes& piece : pieces)
    {
        g_driver->InjectPiece("in", piece);
        g_driver->InjectShort("in", 0xB0, piece[0] & 0x7F, 1);
    }
    if (!g_driver->WaitDelivered(10000))
        __builtin_trap();
    MIDIIO::OnIdle();
    const bool receiving = MIDIIO::IsReceiving();
    if (expected.empty())
        MIDIIO::AbortTransfer();
    if (expected.empty() ? !listener.received.empty() || !receiving
                         : listener.received.size() != 1 || listener.received[0] != expected[0] || receiving)
        __builtin_trap();
    // What is left (later messages, a partial one) must not reach the next input.
    MIDIIO::OnIdle();
    g_driver->InjectPiece("in", {0xF7});
    if (!g_driver->WaitDelivered(10000))
        __builtin_trap();
    MIDIIO::OnIdle();
    return listener.interrupted == 0 ? 0 : (__builtin_trap(), 0);
}
