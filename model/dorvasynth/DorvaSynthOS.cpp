#include "model/dorvasynth/DorvaSynthOS.h"

#include "model/DeviceReply.h"

OSVersion CDorvaSynthOS::GetVersion() const
{
    return GetCount() == 0 ? OSVersion() : DeviceReply::GetOSVersion(GetMessage(0));
}
