#pragma once

#include <chrono>
#include <functional>

#include <wx/event.h>
#include <wx/timer.h>

class IProgressListener;
class SysExBuffer;

// Paces a series of SysEx messages sent one at a time through the MIDI
// manager, for a unit that has no handshake: each message goes out at once,
// and the next only after a pause measured from the previous one's
// departure, so the unit never gets two closer than the pause. The pause
// runs on a one-shot timer (all but its last milliseconds, see the .cpp):
// the window stays live and Stop ends it at once.
// From the first message sent until Stop the MIDI ports are held: a close
// request (the user switched to another program) waits for the end.
// No call reaches sendNext once Stop ran or this is gone. GUI thread only.
class CPacedSender : public wxEvtHandler
{
public:
    explicit CPacedSender(std::function<void()> sendNext);
    ~CPacedSender() override;

    // Hands the message to the MIDI manager with progress as its listener and
    // sends it now. False when the manager refuses it (no output port).
    bool Send(const SysExBuffer& bytes, IProgressListener* progress);
    // From the listener's OnTransferComplete: sendNext runs ms after the
    // message has left.
    void StartPause(int ms);
    void Stop();
    bool IsPausing() const { return m_timer.IsRunning(); }
    // After a refused Send: the output device is lost. Said unless a
    // device-lost notice has been shown since the series began (the unit
    // unplugged in a pause is said once, not once for each port).
    void ReportLostOutput() const;

private:
    std::function<void()> m_sendNext;
    wxTimer m_timer;
    std::chrono::steady_clock::time_point m_due; // when the pause is over
    bool m_holding = false;
    int m_noticesAtStart = 0; // device-lost notices shown before the series
};

// For a transfer the user has just asked for: in on-demand mode ports
// released in the background open now. A click in a window of the program
// may reach its handler before the idle pass has noticed that the program
// became active and reopened them.
void OpenPortsForUser();
