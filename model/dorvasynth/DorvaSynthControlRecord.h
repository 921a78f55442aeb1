#pragma once

#include <cstddef>

#include "model/SysExBuffer.h"

class CBaseControlState;

// The 30-byte control record of the DorvaSynth dump. Continuous controls
// (pots, wheels, pad axes) and buttons share the layout; buttons also carry
// their action and step size.
namespace DorvaSynthControlRecord
{
constexpr size_t kSize = 30;

// Sets the state from the record at the position (no clamping) and moves
// the position past it. False, nothing read, when fewer than 30 bytes remain.
bool Read(const SysExBuffer& bytes, size_t& position, CBaseControlState& state, bool button);
void Write(SysExBuffer& out, const CBaseControlState& state, bool button);

// The type byte: Aftertouch travels as 11; on reading 11 is Aftertouch and
// Note Off becomes Note On.
int ControlTypeToWire(int type);
int ControlTypeFromWire(int wire);
} // namespace DorvaSynthControlRecord
