#pragma once

#include <memory>

#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

#include "model/PlacedControl.h"
#include "model/commands/CommandCreator.h"
#include "model/commands/SubmitCommand.h"

class CBaseControlState;
struct PortChannelGroup;
class IObserver;
class NumberTextCtrl;
class wxTextCtrl;

// The one creator of each command class bound to number fields; creators hold
// no data, so one static instance serves every field.
template <class Command>
const ICommandCreator& CreatorOf()
{
    static const CommandCreator<Command> creator;
    return creator;
}

// What every property panel shares: its layout loaded from the resource panel
// of its name, its own clone of the control it edits, and edits submitted as
// commands to the current template (never written into the state).
// The children show the control again when RefreshFromControl runs: after
// every command, undo and redo (the settings window calls it) and when an
// observer is told, never from paint (GTK repaints while a field is typed in).
class CControlPanel : public wxPanel
{
public:
    ~CControlPanel() override;

    // Loads the layout into this panel, a child of parent. False, logged once
    // a run naming the layout and its file, when the resources lack it.
    bool LoadResource(wxWindow* parent, const char* name);
    // Loads the layout and finds the children; false when the layout is
    // missing, the panel then uncreated and not to be shown.
    virtual bool Create(wxWindow* parent) = 0;
    // Keeps a clone, binds the number fields to it, registers, refreshes.
    virtual bool SetControl(const CPlacedControl& control);
    // The children show the held control's current state; nothing without one.
    virtual void RefreshFromControl() = 0;

    const CPlacedControl* GetPlacedControl() const { return m_control.get(); }

    // The port and channel groups of the main window's current template;
    // null for a model without them.
    static const PortChannelGroup* TemplateGroups();

    // Every panel among the window's children refreshes.
    static void RefreshAll(wxWindow* window);

protected:
    virtual void BindEntries() {}
    virtual void Register() {}

    CBaseControlState* State() const { return m_control ? m_control->GetControl() : nullptr; }
    template <class T = wxWindow>
    T* Child(const char* name) const
    {
        return dynamic_cast<T*>(FindWindow(XRCID(name)));
    }
    // A CNumberValidator on a number field found by name.
    NumberTextCtrl* NumberEntry(const char* name);
    void BindEntry(NumberTextCtrl* entry, const ICommandCreator& creator);

    template <class Command, class Value>
    bool Submit(Value value)
    {
        return m_control && SubmitCommand(std::make_unique<Command>(*m_control, value));
    }
    // Submits to the current template; the column then shows the result
    // (a submission runs no view update of its own).
    bool SubmitCommand(std::unique_ptr<ICommand> command);
    template <class Command, class Value>
    bool SubmitIfChanged(Value current, Value value)
    {
        return current != value && Submit<Command>(value);
    }
    // The display format radios that the pot and button panels share.
    void SubmitDisplayFormat(int format);

    // Registrations with the main window; undone when the panel goes, so a
    // state never notifies a destroyed panel.
    void RegisterValueObserver(IObserver* observer);
    void RegisterObserver(IObserver* observer);

    std::unique_ptr<CPlacedControl> m_control;

private:
    IObserver* m_valueObserver = nullptr;
    IObserver* m_observer = nullptr;
};

// Sets a text field only when its text differs (keeps the caret and selection).
void ShowText(wxTextCtrl* text, const wxString& value);
// Selects a position of a choice, or none when the position is not there.
class wxChoice;
void SelectPosition(wxChoice* choice, int position);
