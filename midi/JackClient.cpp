#include "midi/JackClient.h"

#include <jack/midiport.h>

#include <thread>

#include "midi/MidiWakeUp.h"
#include "midi/PortNames.h"

std::shared_ptr<JackClient> JackClient::Open(const std::string& name)
{
    jack_status_t status;
    jack_client_t* client = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (!client)
        return nullptr;
    std::shared_ptr<JackClient> opened(new JackClient(client));
    // The ports go with the server: the idle step that notices it is woken.
    jack_on_shutdown(
        client,
        [](void* gone) {
            static_cast<std::atomic<bool>*>(gone)->store(true);
            MidiWakeUp();
        },
        &opened->m_gone);
    return opened;
}

JackClient::~JackClient()
{
    Deactivate();
    jack_client_close(m_client);
}

std::vector<std::string> JackClient::ListPorts(unsigned long flags, const std::string& programName) const
{
    std::vector<std::string> names;
    const char** ports = jack_get_ports(m_client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    if (!ports)
        return names;
    for (const char** port = ports; *port; ++port)
        if (!PortNames::IsOwnPort(*port, programName))
            names.emplace_back(*port);
    jack_free(ports);
    return names;
}

jack_port_t* JackClient::RegisterPort(const char* base, unsigned long flags)
{
    jack_port_t* port = jack_port_register(m_client, base, JACK_DEFAULT_MIDI_TYPE, flags, 0);
    for (size_t n = 2; !port && n <= kUsers; ++n)
        port = jack_port_register(m_client, (std::string(base) + "-" + std::to_string(n)).c_str(),
                                  JACK_DEFAULT_MIDI_TYPE, flags, 0);
    return port;
}

void JackClient::UnregisterPort(jack_port_t* port)
{
    if (port)
        jack_port_unregister(m_client, port);
}

bool JackClient::Attach(IJackPortUser& user)
{
    if (!m_cycle)
    {
        m_cycle = std::make_unique<Cycle>();
        jack_set_process_callback(m_client, &JackClient::Process, m_cycle.get());
        if (jack_activate(m_client) != 0)
        {
            m_cycle.reset();
            return false;
        }
    }
    for (std::atomic<IJackPortUser*>& slot : m_cycle->users)
        if (!slot.load())
        {
            slot.store(&user);
            ++m_userCount;
            return true;
        }
    if (m_userCount == 0)
        Deactivate();
    return false;
}

void JackClient::Detach(IJackPortUser& user)
{
    if (!m_cycle)
        return;
    for (std::atomic<IJackPortUser*>& slot : m_cycle->users)
        if (slot.load() == &user)
        {
            slot.store(nullptr);
            --m_userCount;
        }
    // A cycle that started before the slot was cleared may still be in
    // user's code; one that starts now finds the slot empty.
    while (m_cycle->running.load() != 0)
        std::this_thread::yield();
    if (m_userCount == 0)
        Deactivate();
}

void JackClient::Deactivate()
{
    if (!m_cycle)
        return;
    // Every slot is empty: a cycle cut short here is in none of our code
    // that holds a lock or must not be unwound.
    jack_deactivate(m_client);
    m_cycle.reset();
    m_userCount = 0;
}

int JackClient::Process(jack_nframes_t frames, void* arg)
{
    auto* cycle = static_cast<Cycle*>(arg);
    cycle->running.fetch_add(1);
    for (std::atomic<IJackPortUser*>& slot : cycle->users)
        if (IJackPortUser* user = slot.load())
            user->Process(frames);
    cycle->running.fetch_sub(1);
    return 0;
}
