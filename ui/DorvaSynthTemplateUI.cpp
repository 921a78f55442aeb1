#include "ui/DorvaSynthTemplateUI.h"

#include <string>

#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"

namespace
{
const wxColour kLightMark(238, 238, 238);
const wxColour kDarkerMark(221, 221, 221);

// A control that is not a pot or button of the four rows.
struct SingleControl
{
    const char* name;
    int index;
    int kind;
    wxPoint position;
    wxPoint labelOffset;
    int characters;
    bool textField;
    wxColour mark;
};

const SingleControl kSingles[] = {
    {"Sustain Pedal", 50, ControlButtonKind::Pedal, {571, 257}, {3, 0}, -1, false, kLightMark},
    {"Mod Wheel", 45, ControlButtonKind::TextField, {9, 267}, {3, 3}, 3, true, kLightMark},
    {"Pad Y1", 48, ControlButtonKind::TextField, {115, 253}, {2, 3}, 2, true, kLightMark},
    {"Pad Y2", 49, ControlButtonKind::TextField, {115, 278}, {2, 3}, 2, true, kDarkerMark},
    {"Pitch Bend", 44, ControlButtonKind::TextField, {48, 297}, {21, -8}, 2, true, kLightMark},
    {"Pad X1", 46, ControlButtonKind::TextField, {157, 300}, {22, -8}, 2, true, kDarkerMark},
    {"Pad X2", 47, ControlButtonKind::TextField, {157, 312}, {22, -8}, 2, true, kDarkerMark},
};
} // namespace

CDorvaSynthTemplateUI::CDorvaSynthTemplateUI()
{
    GetListenButton().SetRect(wxRect(297, 256, 32, 28));
    GetSendButton().SetRect(wxRect(352, 256, 32, 28));
}

void CDorvaSynthTemplateUI::CreateControls(CEditorTemplate* editorTemplate)
{
    m_template = editorTemplate;
    BeginLayout();
    if (!editorTemplate)
        return;

    auto add = [&](int index, const std::string& name, int kind, wxPoint at, wxPoint labelOffset,
                   const CaptionOptions& caption, int characters, const wxColour& mark) {
        auto placed = std::make_unique<CPlacedControl>(editorTemplate->GetControl(index), index);
        AddControlButton(std::make_unique<CControlButton>(at, kind, std::move(placed), name, "", caption,
                                                          characters, mark, *wxBLACK, labelOffset));
    };

    struct Row
    {
        const char* name;
        int firstIndex;
        int kind;
        int x;
        int y;
        wxPoint labelOffset;
    };
    const Row rows[] = {
        {"Group A Pot ", 0, ControlButtonKind::Pot, 21, 11, {3, 2}},
        {"Group B Pot ", 11, ControlButtonKind::Pot, 21, 125, {3, 2}},
        {"Group A Button ", 22, ControlButtonKind::Button, 20, 73, {4, 2}},
        {"Group B Button ", 33, ControlButtonKind::Button, 20, 190, {4, 2}},
    };
    for (const Row& row : rows)
        for (int n = 1; n <= 11; ++n)
            add(row.firstIndex + n - 1, row.name + std::to_string(n), row.kind,
                wxPoint(row.x + 55 * (n - 1), row.y), row.labelOffset, CaptionOptions(), -1, kLightMark);

    const CaptionOptions fieldCaption{true, 6, 0, false};
    for (const SingleControl& single : kSingles)
        add(single.index, single.name, single.kind, single.position, single.labelOffset,
            single.textField ? fieldCaption : CaptionOptions(), single.characters, single.mark);
    EndLayout();
}
