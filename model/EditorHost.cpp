#include "model/EditorHost.h"

#include "model/AbbreviationMap.h"
#include "model/WordList.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"

namespace
{
class QuietHost : public IEditorHost
{
public:
    const IDeviceAnswers& Device() const override { return m_answers; }
    int ShowMessage(const std::string&, int style) override
    {
        // Nobody to ask: take the affirmative answer the style offers.
        return (style & MessageStyle::Yes) ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    void ShowErrorReport(const std::string&, const std::string&, const std::string&) override {}
    bool SendErrorsHome() const override { return false; }
    IEditorWindow* Window() override { return nullptr; }

private:
    CDorvaSynthAnswers m_answers;
};

const AbbreviationMap& StandardAbbreviations()
{
    static const AbbreviationMap map = [] {
        AbbreviationMap filled;
        FillStandardAbbreviations(filled);
        return filled;
    }();
    return map;
}

QuietHost& Quiet()
{
    static QuietHost host;
    return host;
}

IEditorHost* g_host = nullptr;
} // namespace

const AbbreviationMap& IEditorHost::Abbreviations() const
{
    return StandardAbbreviations();
}

WordList& IEditorHost::Words()
{
    static WordList words = [] {
        WordList filled;
        filled.AddDictionary(StandardAbbreviations());
        return filled;
    }();
    return words;
}

IEditorHost& Host()
{
    return g_host ? *g_host : Quiet();
}

void InstallHost(IEditorHost* host)
{
    g_host = (host == &Quiet()) ? nullptr : host;
}

const IDeviceAnswers& Device()
{
    return Host().Device();
}
