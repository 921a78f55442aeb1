#pragma once

#include <string>

// "C3" for note 60: one of twelve names, then the octave, note / 12 - 2.
// Any int is accepted: octaves below zero read as "B-3" for note -1.
std::string NoteName(int note);
