#include "model/DeviceAnswers.h"

#include "model/ControlState.h"
#include "model/PlacedControl.h"

bool IDeviceAnswers::CanAssignMessageType(const CPlacedControl& placed, const CBaseControlState& state) const
{
    return CanAssignMessageType(placed.GetIndex(), state.GetType());
}
