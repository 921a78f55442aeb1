// Writes the full-size seeds of the fuzz targets into a corpus folder (the
// committed tests/fuzz/corpus): every model's dump, fresh and with a body of
// noise, both bank kinds whole, and a stream of dumps with noise for the MIDI
// input. Run it again when a dump's layout changes.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "model/BulkDump.h"
#include "model/calder/CalderPatch.h"
#include "model/calder/CalderTemplate.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvar/TolvarTemplate.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"

namespace
{
using Bytes = std::vector<uint8_t>;
std::filesystem::path g_corpus;

void Put(const std::string& target, const std::string& name, const Bytes& bytes)
{
    std::filesystem::create_directories(g_corpus / target);
    std::ofstream out(g_corpus / target / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The same noise on every run, so the committed seeds do not churn.
Bytes Noise(size_t size, uint32_t seed)
{
    Bytes bytes(size);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
    return bytes;
}

// A body target lays its input over a fresh dump after the header; with a
// shape, the input's first byte picks it.
void BodySeeds(const std::string& target, const SysExBuffer& dump, size_t header, int shape = -1)
{
    Bytes body(dump.data() + header, dump.data() + dump.size() - 1), noise = Noise(body.size(), uint32_t(body.size()));
    if (shape >= 0)
        body.insert(body.begin(), uint8_t(shape)), noise.insert(noise.begin(), uint8_t(shape));
    const std::string suffix = shape < 0 ? "" : "_" + std::to_string(shape);
    Put(target, "fresh" + suffix, body);
    Put(target, "noise" + suffix, noise);
}

template <typename T, int N>
Bytes Bank()
{
    CBulkDump<T, N> bank;
    SysExBuffer bytes;
    for (int i = 0; i < N; ++i)
        bytes.Append(bank.GetEntry(i).Write());
    return bytes.bytes();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]), 2;
    g_corpus = argv[1];
    const SysExBuffer dorvaSynth = CDorvaSynthTemplate().Write(), calder = CCalderTemplate().Write(),
                      tolvar = CTolvarTemplate().Write(), vesk = CTolvarVeskTemplate().Write(),
                      drel = CTolvarDrelTemplate().Write(), patch = CCalderPatch().Write();
    const std::tuple<const char*, const SysExBuffer*, size_t> models[] = {{"dorvasynth", &dorvaSynth, 13},
        {"calder", &calder, 13}, {"tolvar", &tolvar, 13}, {"tolvarvesk", &vesk, 13}, {"tolvardrel", &drel, 6}};
    for (const auto& [name, dump, header] : models)
    {
        BodySeeds(std::string("fuzz_") + (name == std::string("dorvasynth") ? "dorvasynth_template" : name), *dump, header);
        Bytes raw = dump->bytes();
        Put("fuzz_read_sysex_file", name, raw);
        Put("fuzz_sysex_from_bytes", name, raw);
        raw.insert(raw.begin(), 0); // shape 0 of the loading target: the whole input
        Put("fuzz_template_load", std::string("whole_") + name, raw);
    }
    const SysExBuffer* shaped[] = {&dorvaSynth, &tolvar, &calder, &calder, &vesk, &drel}; // the shapes 1-6
    for (int i = 0; i < 6; ++i)
        BodySeeds("fuzz_template_load", *shaped[i], i == 5 ? 6 : 13, i + 1);
    Put("fuzz_patch_dump", "fresh", Bytes(patch.data() + 1, patch.data() + patch.size() - 1)); // after the F0
    Put("fuzz_patch_dump", "noise", Noise(patch.size() - 2, 7));
    const Bytes templateBank = Bank<CDorvaSynthTemplate, 16>();
    Put("fuzz_bank_file", "template_bank", templateBank);
    Put("fuzz_bank_file", "patch_bank", Bank<CCalderPatch, 100>());
    Put("fuzz_meta_stream_load", "template_bank", templateBank);
    // The MIDI input: noise, a dump, noise, a patch; pieces of 64 and of 1;
    // then a message that never ends within the longest one kept.
    Bytes stream = Noise(40, 3), overlong = Noise(9000, 11);
    for (const Bytes& part : {dorvaSynth.bytes(), Bytes{0xF8, 0x05, 0xFE}, patch.bytes()})
        stream.insert(stream.end(), part.begin(), part.end());
    for (uint8_t& byte : overlong)
        byte &= 0x7F;
    overlong.front() = 0xF0, overlong.back() = 0xF7;
    for (auto [name, pieces, bytes] :
         {std::tuple{"stream_64", 63, stream}, {"stream_1", 0, stream}, {"overlong", 255, overlong}})
    {
        bytes.insert(bytes.begin(), uint8_t(pieces));
        Put("fuzz_midi_input", name, bytes);
        Put("fuzz_midi_receive", name, bytes);
    }
    return 0;
}
