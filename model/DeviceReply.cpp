#include "model/DeviceReply.h"

#include "model/SysExHeader.h"

namespace
{
constexpr size_t kVersion = CSysExHeader::kOSVersionByte;
constexpr size_t kBuild = CSysExHeader::kOSVersionByte + 1;
} // namespace

OSVersion DeviceReply::GetOSVersion(const CSysExHeader& header)
{
    return OSVersion::Decode(header.GetByte(kVersion), header.GetByte(kBuild));
}

OSVersion DeviceReply::GetOSVersion(const SysExBuffer& message)
{
    if (message.size() <= kBuild)
        return OSVersion();
    return OSVersion::Decode(message[kVersion], message[kBuild]);
}
