#pragma once

#include <memory>

#include "ui/Accessibility.h"

class wxWindow;

// Brings the drawn front panel to screen readers on the desktop: the window
// that draws the panel gets an ATK object (bridged to AT-SPI by GTK) whose
// children are the control buttons, with their names, descriptions, roles,
// states and screen extents read from the panel's accessibility layer, and
// the layer's focus and selection events become ATK signals. What readers
// are told has the focus is always what the layer calls focused (the lowest
// selected control, else the panel itself): after every change of the
// selection, whatever made it, while the panel has the keys, and as it gets
// them back. The layer keeps every answer; this only translates. While it lives, the window's widget
// must outlive it or go first (both are handled). GUI thread only.
class CPanelAtkBridge : public Accessibility::IEventSink
{
public:
    CPanelAtkBridge(wxWindow& window, const CTemplateUIAccessible& panel);
    // Marks the children defunct: a screen reader that still holds them
    // learns they are gone.
    ~CPanelAtkBridge() override;
    CPanelAtkBridge(const CPanelAtkBridge&) = delete;
    CPanelAtkBridge& operator=(const CPanelAtkBridge&) = delete;

    void OnEvent(Accessibility::Event event, int objectId, int childId) override;
    void OnSelectionChanged() override;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};
