#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/SysExBuffer.h"

class CBaseControlState;
class SysExDef;

// Byte codecs shared by the other models' control records. Readers set the
// state through its setters with notify false, so reading clamps nothing;
// values are taken as they come. "continuous" is the place of the control in
// its template (continuous control or button), never the state's own flag.
namespace RecordBytes
{
inline bool Bit(uint8_t byte, int bit)
{
    return (byte >> bit) & 1;
}
inline uint8_t Flag(bool on, int bit)
{
    return on ? static_cast<uint8_t>(1u << bit) : 0;
}
inline uint8_t Low7(int value)
{
    return static_cast<uint8_t>(value & 0x7F);
}
inline uint8_t High7(int value)
{
    return static_cast<uint8_t>((value >> 7) & 0x7F);
}

// Routing byte: RoutingBit0/1, USB, MIDI 1, MIDI 2; a non-MMC button adds
// Momentary (bit 2) and Toggle (bit 3).
uint8_t WriteRouting(const CBaseControlState& state, bool continuous);
// A button's action becomes Normal, then Momentary, then Toggle by the bits set.
void ReadRouting(CBaseControlState& state, uint8_t byte, bool continuous);

// Behaviour byte; a non-MMC button carries Step in bit 5.
uint8_t WriteBehaviour(const CBaseControlState& state, bool continuous);
void ReadBehaviour(CBaseControlState& state, uint8_t byte, bool continuous);

// Calder mode byte: display formats 1-3 in bits 0-1, ModeBit6.
uint8_t WriteMode(const CBaseControlState& state);
void ReadMode(CBaseControlState& state, uint8_t byte);

// Tolvar mode byte: only display formats 1 and 2, one bit each, and ModeBit6.
uint8_t WriteTolvarMode(const CBaseControlState& state);
void ReadTolvarMode(CBaseControlState& state, uint8_t byte);

// Fixed-width names: the first width characters, blank-padded; reading ends
// the name at a NUL and trims white space from the right.
void WriteName(SysExBuffer& out, const std::string& name, size_t width);
void ReadName(CBaseControlState& state, const uint8_t* bytes, size_t width);

// The type code as Calder, Tolvar and Tolvar Vesk records carry it; Note Off
// reads as Note On.
void ReadType(CBaseControlState& state, uint8_t byte);

// Channel byte of the Calder and Tolvar records: (channel - 1) with the kept
// high nibble; an MMC control keeps its device number there instead.
uint8_t ChannelByte(const CBaseControlState& state);
void ReadChannelByte(CBaseControlState& state, uint8_t byte);

// The first count bytes of the SysExDef record (byte 0, byte 1, byte 2, then
// the message places).
void WriteSysExBytes(SysExBuffer& out, const SysExDef& def, int count);
// A fresh SysExDef from count record bytes, set on the state.
void ReadSysExBytes(CBaseControlState& state, const uint8_t* bytes, int count);

// True when count bytes remain from index.
inline bool Fits(const SysExBuffer& bytes, size_t index, size_t count)
{
    return index <= bytes.size() && bytes.size() - index >= count;
}
} // namespace RecordBytes

// Template-wide text fields (template and manufacturer names): the stored
// characters up to the first NUL, then blanks, width bytes in all. Reading
// gives the characters before the first NUL; the settings trim the blanks
// when asked for the name.
namespace RecordBytes
{
void WriteText(SysExBuffer& out, const std::string& text, size_t width);
std::string ReadText(const SysExBuffer& bytes, size_t& position, size_t width);
} // namespace RecordBytes

class CTemplateLocalData;

// Five settings bytes in a row in the Calder and Tolvar records: keyboard
// channel in bits 0-3 with USB (bit 4), MIDI port 1 (bit 5) and MIDI port 2
// (bit 6); LocalsByte3; LocalsByte4; velocity curve; octave.
namespace RecordBytes
{
constexpr size_t kKeyboardBlockSize = 5;
void WriteKeyboardBlock(SysExBuffer& out, const CTemplateLocalData& locals);
void ReadKeyboardBlock(CTemplateLocalData& locals, const uint8_t* bytes);
} // namespace RecordBytes
