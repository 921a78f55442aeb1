#pragma once

#include <string>

// Port names as the driver lists them, made fit to store and compare.
namespace PortNames
{
// "client:port 24:0" -> "client:port": the sequencer's client and port
// numbers change each time a device is plugged in.
std::string StripAddress(const std::string& name);
// A port of a client opened under clientName ("client:port"); the sound
// server may number a repeated client name as "name-01".
bool IsOwnPort(const std::string& name, const std::string& clientName);
} // namespace PortNames
