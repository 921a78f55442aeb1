#include "ui/PanelAtkBridge.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

#include <wx/window.h>

using Accessibility::Status;

namespace
{
// Set on the panel's widget: the accessible type below serves every widget of
// the toolkit's window class, and answers for the panel only where it is set.
const char kBridgeKey[] = "dorva-panel-atk-bridge";

struct StateFlag
{
    long flag;
    AtkStateType atk;
};

const StateFlag kStateFlags[] = {
    {Accessibility::StateFocusable, ATK_STATE_FOCUSABLE},
    {Accessibility::StateFocused, ATK_STATE_FOCUSED},
    {Accessibility::StateMultiSelectable, ATK_STATE_MULTISELECTABLE},
    {Accessibility::StateSelectable, ATK_STATE_SELECTABLE},
    {Accessibility::StateSelected, ATK_STATE_SELECTED},
};

AtkRole ToAtk(Accessibility::Role role)
{
    switch (role)
    {
    case Accessibility::Role::SystemWindow:
        return ATK_ROLE_PANEL;
    case Accessibility::Role::SystemPushButton:
        return ATK_ROLE_PUSH_BUTTON;
    case Accessibility::Role::None:
        break;
    }
    return ATK_ROLE_UNKNOWN;
}
} // namespace

// ---------------------------------------------------------------------------
// A control button as an ATK object: it knows its child id and asks the
// bridge, which asks the layer. Without a bridge it is defunct.

struct DorvaPanelChild
{
    AtkObject parent;
    CPanelAtkBridge::Impl* bridge;
    int childId;
    // What get_name and get_description last handed out (ATK keeps no copy).
    gchar* name;
    gchar* description;
};

struct DorvaPanelChildClass
{
    AtkObjectClass parentClass;
};

static void dorva_panel_child_component_init(AtkComponentIface* iface);

G_DEFINE_TYPE_WITH_CODE(DorvaPanelChild, dorva_panel_child, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, dorva_panel_child_component_init))

#define DORVA_PANEL_CHILD(object) (G_TYPE_CHECK_INSTANCE_CAST((object), dorva_panel_child_get_type(), DorvaPanelChild))

// ---------------------------------------------------------------------------
// The accessible type of the toolkit's window widget, extended: for the
// panel's widget the children are the control buttons and the selection is
// the panel's; every other widget gets GTK's own answers.

struct DorvaPanelAccessible
{
    GtkContainerAccessible parent;
};

struct DorvaPanelAccessibleClass
{
    GtkContainerAccessibleClass parentClass;
};

static void dorva_panel_accessible_selection_init(AtkSelectionIface* iface);

G_DEFINE_TYPE_WITH_CODE(DorvaPanelAccessible, dorva_panel_accessible, GTK_TYPE_CONTAINER_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_SELECTION, dorva_panel_accessible_selection_init))

struct CPanelAtkBridge::Impl
{
    Impl(wxWindow& window, const CTemplateUIAccessible& panel);
    ~Impl();

    static Impl* Of(AtkObject* panelObject);

    int ChildCount() const
    {
        int count = 0;
        panel.GetChildCount(count);
        return count;
    }
    // Not referenced; null for ids without a child.
    AtkObject* Child(int childId);
    long State(int childId) const
    {
        long state = 0;
        return panel.GetState(childId, state) == Status::Ok ? state : 0;
    }
    // What readers are told of a child: the layer's flags, but focused only
    // for the one control the panel calls focused; readers take every
    // control told focused for a move of the focus.
    long ToldState(int childId, int focusId) const
    {
        const long state = State(childId);
        return childId == focusId ? state : state & ~long{Accessibility::StateFocused};
    }
    int FocusId() const
    {
        int childId = 0;
        panel.GetFocus(childId);
        return childId;
    }
    bool Selected(int childId) const { return State(childId) & Accessibility::StateSelected; }
    std::string Description(int childId) const;
    AtkObject* PanelObject() const { return widget ? gtk_widget_get_accessible(widget) : nullptr; }
    // One child object per child id; announce: tell listeners of the change.
    void SyncChildren(bool announce);
    void Announce(Accessibility::Event event, int childId);
    // Tells listeners of every state that changed since they were last
    // told; whether any did.
    bool NotifyStates();
    // Tells listeners of a child whose description is not the one it last handed out.
    void NotifyDescription(int childId);
    // The object the layer calls focused: the selected control with the
    // lowest index, or the panel itself.
    AtkObject* FocusObject();
    // Tells readers the object has the focus. GTK keeps a control told so
    // for the panel and reports it again whenever the panel gets the focus
    // back, until the panel itself is told.
    void TellFocus(AtkObject* object);
    void Reported(AtkObject* object);
    // Brings readers up to the selection as it is now: the states, and the
    // focus while the panel has the keys (always when it has just got them
    // back: GTK is about to report its own idea of it).
    void CatchUp(bool gotKeys);
    void TellTruth(bool gotKeys);
    // After every change of the selection, once the action that made it is
    // done: one action may change it several times on the way.
    void CatchUpLater();
    // The top-left of the coordinate frame a child's extents are asked in.
    wxPoint Origin(AtkCoordType coords) const;

    wxWindow& window;
    const CTemplateUIAccessible& panel;
    // Cleared by GLib when the widget goes first.
    GtkWidget* widget;
    // Index: child id - 1. Owned references.
    std::vector<AtkObject*> children;
    // The states listeners were last told, by child id - 1.
    std::vector<long> states;
    // What the panel's get_description last handed out.
    std::string panelDescription;
    // What readers were last told has the focus, by anyone (GTK too); a
    // reference.
    AtkObject* told = nullptr;
    guint focusTracker = 0;
    // The panel's top-level window; it outlives the bridge.
    GtkWidget* top = nullptr;
    // The pending CatchUpLater, 0 for none.
    guint catchUpSource = 0;
    // The layer announced a change of the selection that readers have not
    // yet been told.
    bool selectionAnnounced = false;
    // The hook on every widget's focus-in-event.
    guint focusInSignal = 0;
    gulong focusInHook = 0;
};

// An emission hook, not a handler: the toolkit's own handler of the panel's
// focus-in-event stops the signal before later handlers run. Readers learn
// what truly has the focus before GTK, when idle, reports the panel's: as the
// panel gets the keys, or its window does with the keys on the panel.
static gboolean dorva_panel_focus_in(GSignalInvocationHint*, guint count, const GValue* values, gpointer data)
{
    CPanelAtkBridge::Impl* bridge = static_cast<CPanelAtkBridge::Impl*>(data);
    GtkWidget* panel = bridge->widget;
    gpointer focused = count > 0 ? g_value_peek_pointer(&values[0]) : nullptr;
    if (!panel || !focused)
        return TRUE;
    GtkWidget* top = gtk_widget_get_toplevel(panel);
    if (focused == panel || (focused == top && GTK_IS_WINDOW(top) && gtk_window_get_focus(GTK_WINDOW(top)) == panel))
        bridge->CatchUp(true);
    return TRUE;
}

// The bridges alive: ATK's focus trackers take no data.
static std::vector<CPanelAtkBridge::Impl*>& Bridges()
{
    static std::vector<CPanelAtkBridge::Impl*> bridges;
    return bridges;
}

// Every focus ATK reports, GTK's own included: GTK reports the panel's
// focus when idle and may name a control it was told of before; a reader
// hears the truth right after.
static void dorva_panel_focus_reported(AtkObject* object)
{
    for (CPanelAtkBridge::Impl* bridge : Bridges())
        bridge->Reported(object);
}

// The panel's window got the keys with the panel focused in it, whether or
// not a focus-in-event reached the panel.
static void dorva_panel_window_focus(GObject* window, GParamSpec*, gpointer data)
{
    CPanelAtkBridge::Impl* bridge = static_cast<CPanelAtkBridge::Impl*>(data);
    if (bridge->widget && gtk_window_has_toplevel_focus(GTK_WINDOW(window)) &&
        gtk_window_get_focus(GTK_WINDOW(window)) == bridge->widget)
        bridge->CatchUp(true);
}

static gboolean dorva_panel_catch_up(gpointer data)
{
    CPanelAtkBridge::Impl* bridge = static_cast<CPanelAtkBridge::Impl*>(data);
    bridge->catchUpSource = 0;
    bridge->CatchUp(false);
    return G_SOURCE_REMOVE;
}

// ---------------------------------------------------------------------------
// The child objects.

static void dorva_panel_child_init(DorvaPanelChild* child)
{
    child->bridge = nullptr;
    child->childId = 0;
    child->name = nullptr;
    child->description = nullptr;
}

static void dorva_panel_child_finalize(GObject* object)
{
    DorvaPanelChild* child = DORVA_PANEL_CHILD(object);
    g_free(child->name);
    g_free(child->description);
    G_OBJECT_CLASS(dorva_panel_child_parent_class)->finalize(object);
}

static const gchar* dorva_panel_child_get_name(AtkObject* object)
{
    DorvaPanelChild* child = DORVA_PANEL_CHILD(object);
    std::string name;
    if (!child->bridge || child->bridge->panel.GetName(child->childId, name) != Status::Ok)
        return nullptr;
    g_free(child->name);
    child->name = g_strdup(name.c_str());
    return child->name;
}

static const gchar* dorva_panel_child_get_description(AtkObject* object)
{
    DorvaPanelChild* child = DORVA_PANEL_CHILD(object);
    if (!child->bridge)
        return nullptr;
    g_free(child->description);
    child->description = g_strdup(child->bridge->Description(child->childId).c_str());
    return child->description;
}

static AtkRole dorva_panel_child_get_role(AtkObject* object)
{
    DorvaPanelChild* child = DORVA_PANEL_CHILD(object);
    Accessibility::Role role = Accessibility::Role::None;
    if (!child->bridge || child->bridge->panel.GetRole(child->childId, role) != Status::Ok)
        return ATK_ROLE_INVALID;
    return ToAtk(role);
}

static gint dorva_panel_child_get_index_in_parent(AtkObject* object)
{
    DorvaPanelChild* child = DORVA_PANEL_CHILD(object);
    return child->bridge ? child->childId - 1 : -1;
}

static AtkStateSet* dorva_panel_child_ref_state_set(AtkObject* object)
{
    DorvaPanelChild* child = DORVA_PANEL_CHILD(object);
    AtkStateSet* set = atk_state_set_new();
    if (!child->bridge || child->childId > child->bridge->ChildCount())
    {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    // The layer has no flags for these: a control button on the panel is
    // always usable and on screen while the panel is.
    atk_state_set_add_state(set, ATK_STATE_ENABLED);
    atk_state_set_add_state(set, ATK_STATE_SENSITIVE);
    atk_state_set_add_state(set, ATK_STATE_VISIBLE);
    if (child->bridge->window.IsShownOnScreen())
        atk_state_set_add_state(set, ATK_STATE_SHOWING);
    const long state = child->bridge->ToldState(child->childId, child->bridge->FocusId());
    for (const StateFlag& flag : kStateFlags)
        if (state & flag.flag)
            atk_state_set_add_state(set, flag.atk);
    return set;
}

static void dorva_panel_child_class_init(DorvaPanelChildClass* klass)
{
    G_OBJECT_CLASS(klass)->finalize = dorva_panel_child_finalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = dorva_panel_child_get_name;
    atk->get_description = dorva_panel_child_get_description;
    atk->get_role = dorva_panel_child_get_role;
    atk->get_index_in_parent = dorva_panel_child_get_index_in_parent;
    atk->ref_state_set = dorva_panel_child_ref_state_set;
}

static void dorva_panel_child_get_extents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                                          AtkCoordType coords)
{
    *x = *y = *width = *height = -1;
    DorvaPanelChild* child = DORVA_PANEL_CHILD(component);
    wxRect rect;
    if (!child->bridge || child->bridge->panel.GetLocation(rect, child->childId) != Status::Ok)
        return;
    const wxPoint origin = child->bridge->Origin(coords);
    *x = rect.x - origin.x;
    *y = rect.y - origin.y;
    *width = rect.width;
    *height = rect.height;
}

static AtkLayer dorva_panel_child_get_layer(AtkComponent*)
{
    return ATK_LAYER_WIDGET;
}

static void dorva_panel_child_component_init(AtkComponentIface* iface)
{
    iface->get_extents = dorva_panel_child_get_extents;
    iface->get_layer = dorva_panel_child_get_layer;
}

// ---------------------------------------------------------------------------
// The panel's object.

static void dorva_panel_accessible_init(DorvaPanelAccessible*) {}

static gint dorva_panel_accessible_get_n_children(AtkObject* object)
{
    if (CPanelAtkBridge::Impl* bridge = CPanelAtkBridge::Impl::Of(object))
    {
        bridge->SyncChildren(false);
        return static_cast<gint>(bridge->children.size());
    }
    return ATK_OBJECT_CLASS(dorva_panel_accessible_parent_class)->get_n_children(object);
}

static AtkObject* dorva_panel_accessible_ref_child(AtkObject* object, gint index)
{
    if (CPanelAtkBridge::Impl* bridge = CPanelAtkBridge::Impl::Of(object))
    {
        AtkObject* child = bridge->Child(index + 1);
        return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
    }
    return ATK_OBJECT_CLASS(dorva_panel_accessible_parent_class)->ref_child(object, index);
}

static const gchar* dorva_panel_accessible_get_description(AtkObject* object)
{
    // GTK would describe the panel by its tooltip: the control last hovered.
    if (CPanelAtkBridge::Impl* bridge = CPanelAtkBridge::Impl::Of(object))
    {
        bridge->panelDescription.clear();
        bridge->panel.GetDescription(0, bridge->panelDescription);
        return bridge->panelDescription.c_str();
    }
    return ATK_OBJECT_CLASS(dorva_panel_accessible_parent_class)->get_description(object);
}

static void dorva_panel_accessible_class_init(DorvaPanelAccessibleClass* klass)
{
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_n_children = dorva_panel_accessible_get_n_children;
    atk->ref_child = dorva_panel_accessible_ref_child;
    atk->get_description = dorva_panel_accessible_get_description;
}

// The selection is read-only: the layer answers which controls are
// selected, not how to select them.
static gboolean dorva_panel_accessible_is_child_selected(AtkSelection* selection, gint index)
{
    CPanelAtkBridge::Impl* bridge = CPanelAtkBridge::Impl::Of(ATK_OBJECT(selection));
    return bridge && bridge->Selected(index + 1);
}

static gint dorva_panel_accessible_get_selection_count(AtkSelection* selection)
{
    CPanelAtkBridge::Impl* bridge = CPanelAtkBridge::Impl::Of(ATK_OBJECT(selection));
    gint count = 0;
    for (int childId = 1; bridge && childId <= bridge->ChildCount(); ++childId)
        count += bridge->Selected(childId);
    return count;
}

static AtkObject* dorva_panel_accessible_ref_selection(AtkSelection* selection, gint which)
{
    CPanelAtkBridge::Impl* bridge = CPanelAtkBridge::Impl::Of(ATK_OBJECT(selection));
    for (int childId = 1; bridge && childId <= bridge->ChildCount(); ++childId)
        if (bridge->Selected(childId) && which-- == 0)
        {
            AtkObject* child = bridge->Child(childId);
            return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
        }
    return nullptr;
}

static void dorva_panel_accessible_selection_init(AtkSelectionIface* iface)
{
    iface->is_child_selected = dorva_panel_accessible_is_child_selected;
    iface->get_selection_count = dorva_panel_accessible_get_selection_count;
    iface->ref_selection = dorva_panel_accessible_ref_selection;
}

// ---------------------------------------------------------------------------
// The bridge.

CPanelAtkBridge::Impl::Impl(wxWindow& window, const CTemplateUIAccessible& panel)
    : window(window), panel(panel), widget(window.m_wxwindow)
{
    if (!widget)
        return;
    // Allowed only for a type derived from the class's current one; applies
    // to widgets whose accessible object is made from now on.
    gtk_widget_class_set_accessible_type(GTK_WIDGET_GET_CLASS(widget), dorva_panel_accessible_get_type());
    g_object_add_weak_pointer(G_OBJECT(widget), reinterpret_cast<gpointer*>(&widget));
    g_object_set_data(G_OBJECT(widget), kBridgeKey, this);
    focusInSignal = g_signal_lookup("focus-in-event", GTK_TYPE_WIDGET);
    focusInHook = g_signal_add_emission_hook(focusInSignal, 0, dorva_panel_focus_in, this, nullptr);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    focusTracker = atk_add_focus_tracker(dorva_panel_focus_reported);
    G_GNUC_END_IGNORE_DEPRECATIONS
    Bridges().push_back(this);
    top = gtk_widget_get_toplevel(widget);
    if (GTK_IS_WINDOW(top))
        g_signal_connect(top, "notify::has-toplevel-focus", G_CALLBACK(dorva_panel_window_focus), this);
    SyncChildren(false);
}

CPanelAtkBridge::Impl::~Impl()
{
    Bridges().erase(std::remove(Bridges().begin(), Bridges().end(), this), Bridges().end());
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    if (focusTracker)
        atk_remove_focus_tracker(focusTracker);
    G_GNUC_END_IGNORE_DEPRECATIONS
    if (focusInHook)
        g_signal_remove_emission_hook(focusInSignal, focusInHook);
    if (GTK_IS_WINDOW(top))
        g_signal_handlers_disconnect_by_data(top, this);
    if (catchUpSource)
        g_source_remove(catchUpSource);
    if (told)
        g_object_unref(told);
    if (widget)
    {
        g_object_set_data(G_OBJECT(widget), kBridgeKey, nullptr);
        g_object_remove_weak_pointer(G_OBJECT(widget), reinterpret_cast<gpointer*>(&widget));
    }
    for (AtkObject* child : children)
    {
        DORVA_PANEL_CHILD(child)->bridge = nullptr;
        atk_object_notify_state_change(child, ATK_STATE_DEFUNCT, TRUE);
        g_object_unref(child);
    }
}

CPanelAtkBridge::Impl* CPanelAtkBridge::Impl::Of(AtkObject* panelObject)
{
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(panelObject));
    return widget ? static_cast<Impl*>(g_object_get_data(G_OBJECT(widget), kBridgeKey)) : nullptr;
}

AtkObject* CPanelAtkBridge::Impl::Child(int childId)
{
    SyncChildren(false);
    return childId >= 1 && childId <= static_cast<int>(children.size()) ? children[childId - 1] : nullptr;
}

std::string CPanelAtkBridge::Impl::Description(int childId) const
{
    // The panel does not answer values; the button's own object does.
    std::optional<CControlButtonAccessible> button;
    if (panel.GetChild(childId, button) != Status::Ok || !button)
        return std::string();
    return button->GetValue();
}

void CPanelAtkBridge::Impl::SyncChildren(bool announce)
{
    const int count = ChildCount();
    AtkObject* panelObject = PanelObject();
    while (static_cast<int>(children.size()) > count)
    {
        AtkObject* child = children.back();
        children.pop_back();
        states.pop_back();
        DORVA_PANEL_CHILD(child)->bridge = nullptr;
        atk_object_notify_state_change(child, ATK_STATE_DEFUNCT, TRUE);
        if (announce && panelObject)
            g_signal_emit_by_name(panelObject, "children-changed::remove", static_cast<gint>(children.size()), child);
        g_object_unref(child);
    }
    while (static_cast<int>(children.size()) < count)
    {
        DorvaPanelChild* child = DORVA_PANEL_CHILD(g_object_new(dorva_panel_child_get_type(), nullptr));
        child->bridge = this;
        child->childId = static_cast<int>(children.size()) + 1;
        AtkObject* object = ATK_OBJECT(child);
        if (panelObject)
            atk_object_set_parent(object, panelObject);
        children.push_back(object);
        states.push_back(ToldState(child->childId, FocusId()));
        if (announce && panelObject)
            g_signal_emit_by_name(panelObject, "children-changed::add", child->childId - 1, object);
    }
}

bool CPanelAtkBridge::Impl::NotifyStates()
{
    const int focusId = FocusId();
    std::vector<long> now;
    for (std::size_t i = 0; i < children.size(); ++i)
        now.push_back(ToldState(static_cast<int>(i) + 1, focusId));
    // Flags go down before others go up, so a listener never sees two
    // controls focused by one move.
    for (const bool raised : {false, true})
        for (std::size_t i = 0; i < children.size(); ++i)
            for (const StateFlag& flag : kStateFlags)
            {
                const bool was = states[i] & flag.flag;
                const bool is = now[i] & flag.flag;
                if (was != is && is == raised)
                    atk_object_notify_state_change(children[i], flag.atk, is);
            }
    const bool changed = now != states;
    states = std::move(now);
    return changed;
}

void CPanelAtkBridge::Impl::NotifyDescription(int childId)
{
    // The description is the control's assignment, which may have changed
    // since a reader last asked.
    DorvaPanelChild* object = DORVA_PANEL_CHILD(children[childId - 1]);
    const std::string description = Description(childId);
    if (!object->description || description != object->description)
        g_object_notify(G_OBJECT(object), "accessible-description");
}

void CPanelAtkBridge::Impl::Announce(Accessibility::Event event, int childId)
{
    AtkObject* panelObject = PanelObject();
    if (!panelObject)
        return;
    SyncChildren(true);
    if (event == Accessibility::EventObjectReorder)
    {
        // Another template: every control may be assigned otherwise.
        for (int id = 1; id <= static_cast<int>(children.size()); ++id)
            NotifyDescription(id);
        g_signal_emit_by_name(panelObject, "visible-data-changed");
    }
    AtkObject* child = Child(childId);
    if (child)
        NotifyDescription(childId);
    // The states and the focus once the action is done: an undo selects its
    // controls one by one, the highest first, and readers take each control
    // told focused on the way for a move of the focus.
    selectionAnnounced = true;
    CatchUpLater();
}

void CPanelAtkBridge::Impl::CatchUp(bool gotKeys)
{
    AtkObject* panelObject = PanelObject();
    if (!panelObject)
        return;
    SyncChildren(true);
    const bool announced = std::exchange(selectionAnnounced, false);
    if (NotifyStates() || announced)
        g_signal_emit_by_name(panelObject, "selection-changed");
    TellTruth(gotKeys);
}

void CPanelAtkBridge::Impl::TellTruth(bool gotKeys)
{
    // Another window's focus is not the panel's to tell.
    AtkObject* focus = FocusObject();
    if (gotKeys || (focus != told && widget && gtk_widget_has_focus(widget)))
        TellFocus(focus);
}

void CPanelAtkBridge::Impl::CatchUpLater()
{
    if (!catchUpSource)
        catchUpSource = g_idle_add_full(G_PRIORITY_HIGH_IDLE, dorva_panel_catch_up, this, nullptr);
}

AtkObject* CPanelAtkBridge::Impl::FocusObject()
{
    int childId = 0;
    panel.GetFocus(childId);
    AtkObject* child = Child(childId);
    return child ? child : PanelObject();
}

void CPanelAtkBridge::Impl::Reported(AtkObject* object)
{
    const bool ours = object == PanelObject() || std::find(children.begin(), children.end(), object) != children.end();
    if (object)
        g_object_ref(object);
    if (told)
        g_object_unref(told);
    // Another window's focus: the panel's is told again as it gets the keys.
    told = object;
    if (ours && object != FocusObject())
        CatchUpLater();
}

void CPanelAtkBridge::Impl::TellFocus(AtkObject* object)
{
    if (!object)
        return;
    Reported(object);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    // GTK only reports the focus of whole widgets, and only when idle.
    atk_focus_tracker_notify(object);
    G_GNUC_END_IGNORE_DEPRECATIONS
}

wxPoint CPanelAtkBridge::Impl::Origin(AtkCoordType coords) const
{
    int x = 0;
    int y = 0;
    if (coords == ATK_XY_PARENT)
        return window.ClientToScreen(wxPoint(0, 0));
    if (coords == ATK_XY_WINDOW && widget && gtk_widget_get_window(widget))
        gdk_window_get_origin(gdk_window_get_toplevel(gtk_widget_get_window(widget)), &x, &y);
    return wxPoint(x, y);
}

CPanelAtkBridge::CPanelAtkBridge(wxWindow& window, const CTemplateUIAccessible& panel)
    : m_impl(std::make_unique<Impl>(window, panel))
{
    Accessibility::AddEventSink(this);
}

CPanelAtkBridge::~CPanelAtkBridge()
{
    Accessibility::RemoveEventSink(this);
}

void CPanelAtkBridge::OnEvent(Accessibility::Event event, int objectId, int childId)
{
    if (objectId == Accessibility::kObjectClient)
        m_impl->Announce(event, childId);
}

void CPanelAtkBridge::OnSelectionChanged()
{
    m_impl->CatchUpLater();
}
