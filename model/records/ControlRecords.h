#pragma once

#include <cstddef>

#include "model/SysExBuffer.h"

class CBaseControlState;

// The control records of the other models' dumps. Each reader reads one
// record at index, advances index by exactly the record size and returns
// true; it refuses (false, nothing read) only when the record does not fit
// in the bytes. Readers set the state with notify false, so nothing is
// clamped. "continuous" is the place of the control in its template, which
// decides between the continuous and the button layout.
namespace ControlRecords
{
constexpr size_t kCalderSize = 52;
constexpr size_t kTolvarSize = 44;
constexpr size_t kTolvarVeskSize = 41;
constexpr size_t kTolvarDrelSize = 26;

bool ReadCalder(CBaseControlState& state, const SysExBuffer& bytes, size_t& index, bool continuous);
SysExBuffer WriteCalder(const CBaseControlState& state, bool continuous);

// The step size of a Tolvar button travels in the template, not here.
bool ReadTolvar(CBaseControlState& state, const SysExBuffer& bytes, size_t& index, bool continuous);
SysExBuffer WriteTolvar(const CBaseControlState& state, bool continuous);

// One layout for every control; low, high and snapshot are 14-bit values.
bool ReadTolvarVesk(CBaseControlState& state, const SysExBuffer& bytes, size_t& index);
SysExBuffer WriteTolvarVesk(const CBaseControlState& state);

bool ReadTolvarDrel(CBaseControlState& state, const SysExBuffer& bytes, size_t& index, bool continuous);
SysExBuffer WriteTolvarDrel(const CBaseControlState& state, bool continuous);

// Tolvar Drel type codes and the editor's.
int TolvarDrelTypeToWire(int type);
int TolvarDrelTypeFromWire(int code);
} // namespace ControlRecords

// The Tolvar Drel port selector, shared by its control records and its
// template settings: 0 USB only, 1 MIDI port 1 only, 2 or 3 both. Writing
// keeps a raw selector of 3 or more when both ports are on.
namespace ControlRecords
{
uint8_t TolvarDrelPortSelector(bool usb, bool midiPort1, uint8_t raw);
void ReadTolvarDrelPortSelector(uint8_t selector, bool& usb, bool& midiPort1);
} // namespace ControlRecords
