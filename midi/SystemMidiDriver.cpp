#include "midi/SystemMidiDriver.h"

#include "midi/JackMidiDriver.h"
#include "midi/RtMidiDriver.h"

const char* const kMidiClientName = "Dorva Editor";

namespace
{
// No MIDI layer at all: empty lists, nothing opens.
class NoMidiDriver : public IMidiDriver
{
public:
    std::vector<std::string> InputNames() override { return {}; }
    std::vector<std::string> OutputNames() override { return {}; }
    std::unique_ptr<IDriverInput> OpenInput(int, IDriverInputSink&) override { return nullptr; }
    std::unique_ptr<IDriverOutput> OpenOutput(int, DoneEvent&) override { return nullptr; }
};
} // namespace

std::unique_ptr<IMidiDriver> CreateMidiDriver(MidiBackend backend, const std::string& clientName)
{
    std::unique_ptr<IMidiDriver> driver;
    if (backend != MidiBackend::Jack)
        driver = CreateRtMidiDriver(clientName);
    if (!driver && backend != MidiBackend::Alsa)
        driver = CreateJackMidiDriver(clientName);
    return driver;
}

std::unique_ptr<IMidiDriver> CreateSystemMidiDriver()
{
    std::unique_ptr<IMidiDriver> driver = CreateMidiDriver(MidiBackend::Automatic);
    if (!driver)
        driver = std::make_unique<NoMidiDriver>();
    return driver;
}
