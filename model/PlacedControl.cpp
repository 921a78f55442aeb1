#include "model/PlacedControl.h"

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"

CPlacedControl::CPlacedControl(CBaseControlState* state, int index) : m_index(index)
{
    SetControl(state);
}

void CPlacedControl::SetControl(CBaseControlState* state)
{
    m_state = state;
    if (!m_state)
        return;
    m_state->SetContinuous(IsPlacedControlContinuous(*this));
    m_state->ClampSnapshotValue();
}

void CPlacedControl::Assign(const CBaseControlState& source)
{
    if (!m_state)
        return;
    CBaseControlState::CopyFrom(*m_state, source);
    SetControl(m_state);
}

void CPlacedControl::UpdateView(bool select)
{
    if (IEditorWindow* window = Host().Window())
        window->SelectControl(m_index, select);
}

void CPlacedControl::Refresh(bool deferred)
{
    if (IEditorWindow* window = Host().Window())
        window->RefreshControl(*this, deferred);
}

std::unique_ptr<CPlacedControl> CPlacedControl::Clone() const
{
    return std::make_unique<CPlacedControl>(m_state, m_index);
}

bool IsPlacedControlContinuous(const CPlacedControl& placed)
{
    return Device().IsContinuousIndex(placed.GetIndex());
}

bool IsPlacedControlButton(const CPlacedControl& placed)
{
    return Device().IsButtonIndex(placed.GetIndex());
}
