#include "ui/StatusLineWidths.h"

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include <wx/statusbr.h>

#include "app/WxText.h"
#include "midi/MIDIIO.h"

namespace
{
constexpr std::array<int, 4> kMessageFieldWidths = {74, 74, 74, 84};
// What the status line draws besides the text: its margins and the field's frame.
constexpr int kFieldMargin = 12;

// Every text FormatMessage gives, by field: each kind of message on every
// channel with every data value.
std::array<std::set<std::string>, 4> MessageTexts()
{
    std::array<std::set<std::string>, 4> texts;
    for (int status = 0; status < 256; ++status)
    {
        // Within a kind only the channel's line changes: one kind shows them all.
        if ((status & 0x0F) != 0 && (status & 0xF0) != 0x90)
            continue;
        for (int value = 0; value < 128; ++value)
        {
            const auto lines = MIDIIO::FormatMessage(static_cast<uint8_t>(status), value, value);
            for (std::size_t field = 0; field < lines.size(); ++field)
                texts[field].insert(lines[field]);
        }
    }
    return texts;
}
} // namespace

void SetStatusLineWidths(wxStatusBar& bar, int viewWidth)
{
    static const std::array<std::set<std::string>, 4> texts = MessageTexts();
    int widths[5];
    int used = 0;
    for (std::size_t field = 0; field < texts.size(); ++field)
    {
        int widest = 0;
        for (const std::string& text : texts[field])
            widest = std::max(widest, bar.GetTextExtent(ToWx(text)).x);
        widths[field + 1] = std::max(kMessageFieldWidths[field], widest + kFieldMargin);
        used += widths[field + 1];
    }
    widths[0] = std::max(1, viewWidth - used);
    bar.SetStatusWidths(5, widths);
}
