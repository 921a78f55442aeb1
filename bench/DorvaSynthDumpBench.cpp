// Reading, writing and converting DorvaSynth dumps. Run build/bench/dorva_bench.
#include <benchmark/benchmark.h>

#include <random>

#include "model/EditorHost.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"

namespace
{
// A valid dump with a CC on every control and junk in the skipped bytes, so
// the lost-bit mask has work to do.
SysExBuffer SampleDump()
{
    CDorvaSynthTemplate tmpl;
    tmpl.SetName("Bench");
    for (int index = 0; index <= tmpl.GetLastControlIndex(); ++index)
    {
        CBaseControlState* control = tmpl.GetControl(index);
        control->SetType(1, false);
        control->SetName("Control " + std::to_string(index));
        control->SetMIDIControlLSBNum(static_cast<uint8_t>(index));
    }
    SysExBuffer dump = tmpl.Write();
    std::mt19937 random(5);
    for (size_t i = 50; i < 185; ++i)
        dump[i] = static_cast<uint8_t>(random() & 0x7F);
    return dump;
}

CDorvaSynthTemplate SampleTemplate(const SysExBuffer& dump)
{
    CDorvaSynthTemplate tmpl;
    size_t position = 0;
    tmpl.Read(dump, position);
    return tmpl;
}

void CountBytes(benchmark::State& state, const SysExBuffer& dump)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(dump.size()));
}

void ReadDump(benchmark::State& state)
{
    const SysExBuffer dump = SampleDump();
    CDorvaSynthTemplate tmpl;
    for (auto _ : state)
    {
        size_t position = 0;
        benchmark::DoNotOptimize(tmpl.Read(dump, position));
    }
    CountBytes(state, dump);
}
BENCHMARK(ReadDump);

void WriteDump(benchmark::State& state)
{
    const SysExBuffer dump = SampleDump();
    const CDorvaSynthTemplate tmpl = SampleTemplate(dump);
    for (auto _ : state)
        benchmark::DoNotOptimize(tmpl.Write());
    CountBytes(state, dump);
}
BENCHMARK(WriteDump);

// One pair: a dump read into a template and written back, as a bank load
// and save does per entry. items_per_second is pairs per second.
void ReadWritePair(benchmark::State& state)
{
    const SysExBuffer dump = SampleDump();
    CDorvaSynthTemplate tmpl;
    for (auto _ : state)
    {
        size_t position = 0;
        benchmark::DoNotOptimize(tmpl.Read(dump, position));
        benchmark::DoNotOptimize(tmpl.Write());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(ReadWritePair);

void ConvertTemplate(benchmark::State& state)
{
    const CDorvaSynthTemplate source = SampleTemplate(SampleDump());
    for (auto _ : state)
    {
        CDorvaSynthTemplate target;
        benchmark::DoNotOptimize(target.ConvertFrom(source));
        target.ValidateAfterLoad();
    }
}
BENCHMARK(ConvertTemplate);
} // namespace
