#include "JackUnit.h"

#include <jack/midiport.h>

#include <algorithm>
#include <thread>

bool JackUnit::Open(const std::string& name)
{
    jack_status_t status;
    m_client = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (!m_client)
        return false;
    m_in = jack_port_register(m_client, "editor-to-unit", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    m_out = jack_port_register(m_client, "unit-to-editor", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(m_client, &JackUnit::Process, this);
    return m_in && m_out && jack_activate(m_client) == 0;
}

void JackUnit::Close()
{
    if (!m_client)
        return;
    jack_deactivate(m_client);
    jack_client_close(m_client);
    m_client = nullptr;
    m_connected = false;
}

bool JackUnit::WaitUntilConnected(int timeoutMs) const
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!m_connected && Clock::now() < deadline)
        std::this_thread::yield();
    return m_connected;
}

int JackUnit::Process(jack_nframes_t frames, void* arg)
{
    auto* self = static_cast<JackUnit*>(arg);
    const auto now = Clock::now();
    void* in = jack_port_get_buffer(self->m_in, frames);
    void* out = jack_port_get_buffer(self->m_out, frames);
    jack_midi_clear_buffer(out);
    if (jack_port_connected(self->m_out) > 0)
        self->m_connected = true;
    std::lock_guard<std::mutex> lock(self->m_mutex);
    jack_midi_event_t event;
    for (uint32_t i = 0; jack_midi_event_get(&event, in, i) == 0; ++i)
    {
        self->m_received.emplace_back(event.buffer, event.buffer + event.size);
        self->m_times.push_back(now);
    }
    for (jack_midi_data_t* slot; !self->m_outgoing.empty() &&
                                 (slot = jack_midi_event_reserve(out, 0, self->m_outgoing.front().size()));)
    {
        std::copy(self->m_outgoing.front().begin(), self->m_outgoing.front().end(), slot);
        self->m_outgoing.pop_front();
        self->m_sentTimes.push_back(now);
    }
    return 0;
}
