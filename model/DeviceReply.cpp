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
    // In an 11-byte message byte 10 is the closing F7, not a build number.
    if (message.size() <= kBuild || (message[kVersion] & 0x80) || (message[kBuild] & 0x80))
        return OSVersion();
    return OSVersion::Decode(message[kVersion], message[kBuild]);
}
