// Headers read at any position: a short input reads nothing; a good read
// advances by the header's length and writes back what it read, filtered.
#include <algorithm>

#include "model/DeviceReply.h"
#include "model/TemplateModel.h"
#include "model/dorvasynth/DorvaSynthSysExHeader.h"
#include "model/tolvardrel/TolvarDrelSysExHeader.h"
#include "model/tolvarvesk/TolvarVeskSysExHeader.h"

namespace
{
void Check(CSysExHeader&& header, size_t length, const SysExBuffer& bytes, size_t position)
{
    const SysExBuffer before = header.Write();
    size_t at = position;
    const bool ok = header.Read(bytes, at);
    if (position > bytes.size() || bytes.size() - position < length)
    {
        if (ok || at != position || header.Write() != before)
            __builtin_trap();
        return;
    }
    SysExBuffer expected;
    for (size_t i = 0; i < length; ++i)
        expected.PushByte(bytes[position + i]);
    const SysExBuffer written = header.Write();
    size_t again = 0;
    if (at != position + length || written != expected ||
        (ok && (!header.Read(written, again) || header.Write() != written)))
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SysExBuffer bytes; // raw, as a received buffer may hold them
    bytes.resize(size);
    std::copy(data, data + size, bytes.data());
    const size_t position = size > 0 ? data[0] % 20 : 0;
    Check(CSysExHeader(), CSysExHeader::kSize, bytes, position);
    Check(CDorvaSynthSysExHeader(), CSysExHeader::kSize, bytes, position);
    Check(CTolvarVeskSysExHeader(), CSysExHeader::kSize, bytes, position);
    Check(CTolvarDrelSysExHeader(), CTolvarDrelSysExHeader::kShortSize, bytes, position);
    const TemplateModel model = IdentifyTemplateSysEx(bytes);
    if (model < ModelTolvar || model > ModelUnknown || GetTemplateModelName(bytes).empty())
        __builtin_trap();
    (void)DeviceReply::GetOSVersion(bytes);
    return 0;
}
