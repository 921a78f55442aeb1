#include "ui/dialogs/PacedSender.h"

#include <algorithm>
#include <thread>

#include "app/EditorApp.h"
#include "midi/MIDIIO.h"

namespace
{
// The driver hands a message on within a period of its own; a second is the
// output port's own limit for that.
constexpr int kDepartureWaitMs = 1000;
// The toolkit's timers count whole milliseconds and fire late by up to one:
// the timer ends this much early and the rest is waited out to the
// microsecond, so that a 100 ms pause does not become a 105 ms one at a
// unit that takes messages in 5 ms cycles.
constexpr int kFinalWaitMs = 2;
} // namespace

CPacedSender::CPacedSender(std::function<void()> sendNext) : m_sendNext(std::move(sendNext)), m_timer(this)
{
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        std::this_thread::sleep_until(m_due);
        m_sendNext();
    }, m_timer.GetId());
}

CPacedSender::~CPacedSender()
{
    Stop();
}

bool CPacedSender::Send(const SysExBuffer& bytes, IProgressListener* progress)
{
    if (!m_holding)
        m_noticesAtStart = wxGetApp().DeviceLostNotices();
    if (!MIDIIO::BeginSend(bytes, progress))
        return false;
    // Switching to another window must not close the ports between two
    // messages: the series keeps them until Stop.
    if (!m_holding)
        MIDIIO::HoldPorts();
    m_holding = true;
    // Not at the next idle pass: the pause alone decides when a message goes.
    MIDIIO::SendPendingNow();
    return true;
}

void CPacedSender::StartPause(int ms)
{
    MIDIIO::WaitUntilSent(kDepartureWaitMs);
    m_due = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    m_timer.StartOnce(std::max(ms - kFinalWaitMs, 1));
}

void CPacedSender::Stop()
{
    m_timer.Stop();
    if (m_holding)
        MIDIIO::ReleasePorts();
    m_holding = false;
}

void CPacedSender::ReportLostOutput() const
{
    if (wxGetApp().DeviceLostNotices() == m_noticesAtStart)
        wxGetApp().ReportOutputDeviceLost(true);
}

void OpenPortsForUser()
{
    MIDIIO::RequestOpen();
    MIDIIO::ApplyRequestsNow();
}
