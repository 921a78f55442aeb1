#include "ui/StatusLineWidths.h"

#include <algorithm>
#include <array>
#include <set>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <wx/dcclient.h>
#include <wx/statusbr.h>

#include "app/WxText.h"
#include "midi/MIDIIO.h"

namespace
{
constexpr std::array<int, 4> kMessageFieldWidths = {74, 74, 74, 84};
// What the status line draws besides the text: its margins and the field's frame.
constexpr int kFieldMargin = 12;
// Texts measured whole per field: kerning makes a text's width differ from
// the sum of its characters' by a pixel or two at most.
constexpr std::size_t kMeasuredTexts = 8;

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
    // One drawing context for all: the window makes one for every text it measures.
    wxClientDC dc(&bar);
    dc.SetFont(bar.GetFont());
    // Measuring a thousand texts takes tens of milliseconds at start-up: the
    // sum of their characters' widths picks a few to measure whole.
    std::map<char, int> characterWidths;
    auto estimate = [&](const std::string& text) {
        int width = 0;
        for (char c : text)
        {
            auto found = characterWidths.find(c);
            if (found == characterWidths.end())
                found = characterWidths.emplace(c, dc.GetTextExtent(wxString(c)).x).first;
            width += found->second;
        }
        return width;
    };
    int widths[5];
    int used = 0;
    for (std::size_t field = 0; field < texts.size(); ++field)
    {
        std::vector<std::pair<int, const std::string*>> byEstimate;
        for (const std::string& text : texts[field])
            byEstimate.emplace_back(estimate(text), &text);
        const std::size_t measured = std::min<std::size_t>(kMeasuredTexts, byEstimate.size());
        std::partial_sort(byEstimate.begin(), byEstimate.begin() + measured, byEstimate.end(),
                          [](const auto& a, const auto& b) { return a.first > b.first; });
        int widest = 0;
        for (std::size_t i = 0; i < measured; ++i)
            widest = std::max(widest, dc.GetTextExtent(ToWx(*byEstimate[i].second)).x);
        widths[field + 1] = std::max(kMessageFieldWidths[field], widest + kFieldMargin);
        used += widths[field + 1];
    }
    widths[0] = std::max(1, viewWidth - used);
    bar.SetStatusWidths(5, widths);
}
