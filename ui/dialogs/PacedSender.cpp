#include "ui/dialogs/PacedSender.h"

#include "midi/MIDIIO.h"

namespace
{
// The driver hands a message on within a period of its own; a second is the
// output port's own limit for that.
constexpr int kDepartureWaitMs = 1000;
} // namespace

CPacedSender::CPacedSender(std::function<void()> sendNext) : m_sendNext(std::move(sendNext)), m_timer(this)
{
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { m_sendNext(); }, m_timer.GetId());
}

CPacedSender::~CPacedSender()
{
    m_timer.Stop();
}

bool CPacedSender::Send(const SysExBuffer& bytes, IProgressListener* progress)
{
    if (!MIDIIO::BeginSend(bytes, progress))
        return false;
    // Not at the next idle pass: the pause alone decides when a message goes.
    MIDIIO::SendPendingNow();
    return true;
}

void CPacedSender::StartPause(int ms)
{
    MIDIIO::WaitUntilSent(kDepartureWaitMs);
    m_timer.StartOnce(ms);
}

void CPacedSender::Stop()
{
    m_timer.Stop();
}
