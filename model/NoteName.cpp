#include "model/NoteName.h"

std::string NoteName(int note)
{
    static const char* const kNames[12] = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};
    // Floor division, so negative notes keep a valid name and a steady octave.
    const long long n = note;
    long long octave = n / 12;
    long long pitch = n % 12;
    if (pitch < 0)
    {
        pitch += 12;
        --octave;
    }
    return kNames[pitch] + std::to_string(octave - 2);
}
