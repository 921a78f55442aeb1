#include "model/AbbreviationMap.h"

#include <iterator>

#include "model/NameText.h"

void AbbreviationMap::Add(const std::string& word, const std::string& abbreviation)
{
    m_map.emplace(LowerCase(word), abbreviation);
}

std::string AbbreviationMap::KeyAt(std::size_t n) const
{
    if (n >= m_map.size())
        return "";
    return std::next(m_map.begin(), static_cast<std::ptrdiff_t>(n))->first;
}

const std::string* AbbreviationMap::Find(const std::string& lowerCaseWord) const
{
    const auto found = m_map.find(lowerCaseWord);
    return found == m_map.end() ? nullptr : &found->second;
}

void FillStandardAbbreviations(AbbreviationMap& map)
{
    static const char* const kPairs[][2] = {
        {"filter", "Flt."},       {"frequency", "Freq."}, {"mixer", "Mix."},    {"velocity", "Vel."},
        {"envelope", "Env."},     {"portamento", "Port."}, {"operator", "Op."}, {"oscillator", "Osc."},
        {"timbre", "Tmb"},        {"effect", "FX"},       {"unison", "Uni."},   {"cutoff", "Cut."},
        {"resonance", "Res."},    {"attack", "Atk."},     {"decay", "Dec."},    {"sustain", "Sus."},
        {"release", "Rel."},      {"sense", "Sen."},      {"bypass", "Byp."},   {"mono", "Mno"},
        {"monitor", "Mon."},      {"select", "Sel."},     {"delete", "Del."},   {"auto", "Aut."},
        {"metronome", "Metro"},   {"solo", "Sol."},       {"mute", "Mut."},     {"volume", "Vol."},
        {"modulation", "Mod."},   {"amplifier", "Amp."},  {"octave", "Oct."},   {"destination", "Dst."},
        {"detune", "Det."},       {"audio", "Aud."},
    };
    for (const auto& pair : kPairs)
        map.Add(pair[0], pair[1]);
}
