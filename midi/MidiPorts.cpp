#include "midi/MidiPorts.h"

#include "midi/MidiInput.h"
#include "midi/MidiOutput.h"

namespace
{
std::string NameAt(const std::vector<std::string>& names, int i)
{
    return i >= 0 && static_cast<size_t>(i) < names.size() ? names[static_cast<size_t>(i)] : std::string();
}
} // namespace

namespace MidiPorts
{
int GetInputCount(IMidiDriver& driver)
{
    return static_cast<int>(driver.InputNames().size());
}

int GetOutputCount(IMidiDriver& driver)
{
    return static_cast<int>(driver.OutputNames().size());
}

std::string GetInputName(IMidiDriver& driver, int i)
{
    return NameAt(driver.InputNames(), i);
}

std::string GetOutputName(IMidiDriver& driver, int i)
{
    return NameAt(driver.OutputNames(), i);
}

std::unique_ptr<MIDI::Input> OpenInput(IMidiDriver& driver, int i)
{
    if (i < 0 || i >= GetInputCount(driver))
        return nullptr;
    auto port = std::make_unique<MidiInput>();
    if (!port->Open(driver, i))
        return nullptr;
    return port;
}

std::unique_ptr<MIDI::Output> OpenOutput(IMidiDriver& driver, int i)
{
    if (i < 0 || i >= GetOutputCount(driver))
        return nullptr;
    auto port = std::make_unique<MidiOutput>();
    if (!port->Open(driver, i))
        return nullptr;
    return port;
}
} // namespace MidiPorts
