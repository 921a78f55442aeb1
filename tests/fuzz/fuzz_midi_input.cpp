// The input device's SysEx assembly: the stream in pieces, with short
// messages between them, must queue exactly the messages of the rule and
// leave the short messages alone.
#include "midi/MidiInput.h"
#include "tests/fuzz/MidiPieces.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<Bytes> pieces = Pieces(data, size);
    const std::vector<Bytes> expected = Expected(pieces);
    auto input = std::make_unique<MidiInput>();
    std::vector<Bytes> queued;
    int shorts = 0;
    for (const Bytes& piece : pieces)
    {
        input->OnLongData(piece.data(), piece.size());
        input->OnShortMessage(0x90 | (piece[0] & 0x0F), piece[0] & 0x7F, 0x40, 0), ++shorts;
        while (input->HasSysEx())
        {
            const SysExRecord record = input->PopSysEx();
            queued.emplace_back(record.bytes, record.bytes + record.MessageLength());
        }
        while (input->HasShortMessage())
            shorts -= input->PopShortMessage().data2 == 0x40 ? 1 : 1000;
    }
    if (queued != expected || shorts != 0)
        __builtin_trap();
    return 0;
}
