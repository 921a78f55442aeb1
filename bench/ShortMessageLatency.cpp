// How soon an incoming short message reaches the main window: the program's
// own application and main window, on JACK, with a unit in this process that
// plays notes at uneven intervals. Each note is timed from the JACK cycle
// that carried it to the moment the listener registered after the main
// window is called (the main window has then set its status line).
//   dorva_bench_latency [template.syx]
// Needs a running JACK server and preferences naming the unit's ports;
// prints "median M ms, 95th P ms, max X ms over N messages".
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/window.h>

#include "midi/MIDIIO.h"
#include "midi/MidiListeners.h"
#include "program/DorvaSynthEditorApp.h"
#include "tests/midi/JackUnit.h"

namespace
{
using Clock = std::chrono::steady_clock;
constexpr int kMessages = 100;
bool g_complete = false;

class LatencyApp : public CDorvaSynthEditorApp, public IMessageListener
{
public:
    bool OnInit() override
    {
        if (!m_unit.Open())
        {
            std::fprintf(stderr, "no JACK server\n");
            return false;
        }
        if (!CDorvaSynthEditorApp::OnInit())
            return false;
        MIDIIO::AddMessageListener(this);
        m_sender = std::thread([this] { Play(); });
        return true;
    }

    int OnExit() override
    {
        m_stop = true;
        if (m_sender.joinable())
            m_sender.join();
        const int result = CDorvaSynthEditorApp::OnExit();
        m_unit.Close();
        return result;
    }

    void OnMidiMessage(uint8_t, int data1, int data2) override
    {
        const Clock::time_point now = Clock::now();
        const Clock::time_point sent = m_unit.SentAt(static_cast<size_t>(data1 | (data2 << 7)));
        if (sent != Clock::time_point())
            m_latencies.push_back(std::chrono::duration<double, std::milli>(now - sent).count());
        if (static_cast<int>(m_latencies.size()) == kMessages)
        {
            Report();
            g_complete = true;
            Finish();
        }
    }

private:
    // Notes 40 to 140 ms apart, so they meet the idle timer at every phase.
    void Play()
    {
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
        while (!m_unit.Connected() && !m_stop && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::mt19937 random(16);
        std::uniform_int_distribution<int> gap(40, 140);
        for (int id = 0; id < kMessages && !m_stop; ++id)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(gap(random)));
            m_unit.Send({0x90, static_cast<uint8_t>(id & 0x7F), static_cast<uint8_t>(id >> 7)});
        }
        // Whatever has not arrived a second after the last note is lost.
        for (int i = 0; i < 100 && !m_stop; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!m_stop)
            CallAfter([this] {
                if (!g_complete)
                    std::fprintf(stderr, "%zu of %d messages arrived\n", m_latencies.size(), kMessages);
                Finish();
            });
    }

    void Finish()
    {
        if (wxWindow* window = GetTopWindow())
            window->Close(true);
    }

    void Report()
    {
        std::vector<double> sorted = m_latencies;
        std::sort(sorted.begin(), sorted.end());
        std::printf("median %.1f ms, 95th %.1f ms, max %.1f ms over %zu messages\n", sorted[sorted.size() / 2],
                    sorted[sorted.size() * 95 / 100], sorted.back(), sorted.size());
        std::fflush(stdout);
    }

    JackUnit m_unit;
    std::thread m_sender;
    std::atomic<bool> m_stop{false};
    std::vector<double> m_latencies;
};
} // namespace

int main(int argc, char** argv)
{
    wxApp::SetInstance(new LatencyApp);
    const int code = wxEntry(argc, argv);
    return code != 0 ? code : (g_complete ? 0 : 1);
}
