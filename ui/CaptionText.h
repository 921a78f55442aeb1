#pragma once

#include <string>

class CBaseControlState;

// The three lines printed under a control on the front panel, in the unit's
// display style. Only capitals, digits, a few signs and "b" have glyphs.

// What the control sends: "CC007", "NRPN", "C3", "PC012", ...
std::string FormatControlCaption(const CBaseControlState& control);
// "CH:01" of the stored channel; "-" for MMC and SysEx controls.
std::string FormatControlChannel(const CBaseControlState& control);
// "STOP" .. "RESET" for MMC commands 1 to 13; "" for any other code.
std::string FormatMMCCommandName(int command);
// The name line: the control's name (or its plug-in parameter's name when
// useParamName is set and it has one), shortened to nameLength characters
// when the "AbbreviateNames" preference is on (nameLength < 1: the device's
// display name length), else cut to the display name length; upper case.
// An MMC control on a device without named MMC controls shows its command.
std::string ControlNameText(const CBaseControlState& control, int nameLength, int shorteningMode,
                            bool useParamName);
