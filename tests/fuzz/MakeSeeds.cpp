// Writes the full-size seeds of the fuzz targets into a corpus folder (the
// committed tests/fuzz/corpus): every model's dump, fresh and with a body of
// noise, both bank kinds whole, and a stream of dumps with noise for the
// MIDI input. Run it again when a dump's layout changes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
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
    const std::filesystem::path folder = g_corpus / target;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

Bytes Of(const SysExBuffer& dump)
{
    return Bytes(dump.data(), dump.data() + dump.size());
}

// The same noise on every run, so the committed seeds do not churn.
Bytes Noise(size_t size, uint32_t seed)
{
    Bytes bytes(size);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
    return bytes;
}

// A body target overlays its input on a fresh dump after the header.
// With a shape, the input's first byte picks it.
void BodySeeds(const std::string& target, const SysExBuffer& dump, size_t header, int shape = -1)
{
    Bytes body(dump.data() + header, dump.data() + dump.size() - 1);
    Bytes noise = Noise(body.size(), static_cast<uint32_t>(body.size()));
    const std::string suffix = shape < 0 ? "" : "_" + std::to_string(shape);
    if (shape >= 0)
    {
        body.insert(body.begin(), static_cast<uint8_t>(shape));
        noise.insert(noise.begin(), static_cast<uint8_t>(shape));
    }
    Put(target, "fresh" + suffix, body);
    Put(target, "noise" + suffix, noise);
}

template <typename T, int N>
Bytes Bank()
{
    CBulkDump<T, N> bank;
    const std::string path = (g_corpus / "bank.tmp").string();
    if (!SaveBulkDumpToFile(bank, path))
        std::exit(1);
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]), 2;
    g_corpus = argv[1];

    const SysExBuffer dorvaSynth = CDorvaSynthTemplate().Write();
    const SysExBuffer calder = CCalderTemplate().Write();
    const SysExBuffer tolvar = CTolvarTemplate().Write();
    const SysExBuffer vesk = CTolvarVeskTemplate().Write();
    const SysExBuffer drel = CTolvarDrelTemplate().Write();
    const SysExBuffer patch = CCalderPatch().Write();

    BodySeeds("fuzz_dorvasynth_template", dorvaSynth, 13);
    BodySeeds("fuzz_calder", calder, 13);
    BodySeeds("fuzz_tolvar", tolvar, 13);
    BodySeeds("fuzz_tolvarvesk", vesk, 13);
    BodySeeds("fuzz_tolvardrel", drel, 6);
    // The patch target overlays everything after the F0.
    Put("fuzz_patch_dump", "fresh", Bytes(patch.data() + 1, patch.data() + patch.size() - 1));
    Put("fuzz_patch_dump", "noise", Noise(patch.size() - 2, 7));

    // Shapes 1-6 of the loading target, then whole dumps under shape 0.
    const SysExBuffer* shaped[] = {&dorvaSynth, &tolvar, &calder, &calder, &vesk, &drel};
    const size_t headers[] = {13, 13, 13, 13, 13, 6};
    for (int i = 0; i < 6; ++i)
        BodySeeds("fuzz_template_load", *shaped[i], headers[i], i + 1);
    const std::pair<const char*, const SysExBuffer*> whole[] = {
        {"dorvasynth", &dorvaSynth}, {"calder", &calder}, {"tolvar", &tolvar}, {"tolvarvesk", &vesk}, {"tolvardrel", &drel}};
    for (const auto& [name, dump] : whole)
    {
        Bytes raw = Of(*dump);
        raw.insert(raw.begin(), 0);
        Put("fuzz_template_load", std::string("whole_") + name, raw);
        Put("fuzz_read_sysex_file", name, Of(*dump));
        Put("fuzz_sysex_from_bytes", name, Of(*dump));
    }

    const Bytes templateBank = Bank<CDorvaSynthTemplate, 16>();
    const Bytes patchBank = Bank<CCalderPatch, 100>();
    Put("fuzz_bank_file", "template_bank", templateBank);
    Put("fuzz_bank_file", "patch_bank", patchBank);
    Put("fuzz_meta_stream_load", "template_bank", templateBank);

    // The MIDI input: noise, a dump, noise, a patch; pieces of 64 and of 1.
    Bytes stream = Noise(40, 3);
    const Bytes dumpBytes = Of(dorvaSynth), patchBytes = Of(patch);
    stream.insert(stream.end(), dumpBytes.begin(), dumpBytes.end());
    stream.insert(stream.end(), {0xF8, 0x05, 0xFE});
    stream.insert(stream.end(), patchBytes.begin(), patchBytes.end());
    for (const uint8_t pieces : {63, 0})
    {
        Bytes seed = stream;
        seed.insert(seed.begin(), pieces);
        const std::string name = "stream_" + std::to_string(pieces + 1);
        Put("fuzz_midi_input", name, seed);
        Put("fuzz_midi_receive", name, seed);
    }
    // A message that never ends within the longest one kept.
    Bytes overlong = Noise(9000, 11);
    for (uint8_t& byte : overlong)
        byte &= 0x7F;
    overlong.front() = 0xF0;
    overlong.back() = 0xF7;
    overlong.insert(overlong.begin(), 255);
    Put("fuzz_midi_input", "overlong", overlong);
    Put("fuzz_midi_receive", "overlong", overlong);
    return 0;
}
