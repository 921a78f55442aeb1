#include "midi/LoopbackMidiDriver.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <set>

#include "midi/DoneEvent.h"

namespace
{
struct Job
{
    std::string input;
    bool isShort = false;
    std::vector<uint8_t> bytes;
};
} // namespace

struct LoopbackMidiDriver::Shared
{
    // Held while a callback runs and while an input connection closes, so
    // closing waits for a running callback. Taken before `mutex`.
    std::mutex delivery;
    mutable std::mutex mutex;
    std::condition_variable changed;

    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
    std::set<std::string> failing;
    std::map<std::string, int> openAttempts;
    std::map<std::string, IDriverInputSink*> openInputs;
    std::set<std::string> openOutputs;
    std::map<std::string, std::vector<std::vector<uint8_t>>> sentSysEx;
    std::map<std::string, std::vector<std::vector<uint8_t>>> sentShort;
    std::set<DoneEvent*> heldDone;
    bool holdDone = false;
    bool refuseSends = false;

    std::deque<Job> jobs;
    bool delivering = false;
    bool stop = false;
};

namespace
{
using Shared = LoopbackMidiDriver::Shared;

class LoopbackInput : public IDriverInput
{
public:
    LoopbackInput(std::shared_ptr<Shared> shared, std::string name)
        : m_shared(std::move(shared)), m_name(std::move(name))
    {
    }
    ~LoopbackInput() override
    {
        std::lock_guard<std::mutex> delivery(m_shared->delivery);
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->openInputs.erase(m_name);
    }

private:
    std::shared_ptr<Shared> m_shared;
    std::string m_name;
};

class LoopbackOutput : public IDriverOutput
{
public:
    LoopbackOutput(std::shared_ptr<Shared> shared, std::string name, DoneEvent& done)
        : m_shared(std::move(shared)), m_name(std::move(name)), m_done(done)
    {
    }
    ~LoopbackOutput() override
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->heldDone.erase(&m_done);
        m_shared->openOutputs.erase(m_name);
    }

    bool SendLong(const uint8_t* bytes, size_t length) override
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->refuseSends)
            return false;
        m_shared->sentSysEx[m_name].emplace_back(bytes, bytes + length);
        if (m_shared->holdDone)
            m_shared->heldDone.insert(&m_done);
        else
            m_done.Signal();
        return true;
    }

    bool SendShort(const uint8_t* bytes, size_t length) override
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->refuseSends)
            return false;
        m_shared->sentShort[m_name].emplace_back(bytes, bytes + length);
        return true;
    }

private:
    std::shared_ptr<Shared> m_shared;
    std::string m_name;
    DoneEvent& m_done;
};
} // namespace

LoopbackMidiDriver::LoopbackMidiDriver(std::vector<std::string> inputs, std::vector<std::string> outputs)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->inputs = std::move(inputs);
    m_shared->outputs = std::move(outputs);
    m_delivery = std::thread([this] { Deliver(); });
}

LoopbackMidiDriver::~LoopbackMidiDriver()
{
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->stop = true;
    }
    m_shared->changed.notify_all();
    m_delivery.join();
}

void LoopbackMidiDriver::Deliver()
{
    Shared& s = *m_shared;
    for (;;)
    {
        Job job;
        {
            std::unique_lock<std::mutex> lock(s.mutex);
            s.changed.wait(lock, [&s] { return s.stop || !s.jobs.empty(); });
            if (s.stop)
                return;
            job = std::move(s.jobs.front());
            s.jobs.pop_front();
            s.delivering = true;
        }
        {
            std::lock_guard<std::mutex> delivery(s.delivery);
            IDriverInputSink* sink = nullptr;
            {
                std::lock_guard<std::mutex> lock(s.mutex);
                const auto open = s.openInputs.find(job.input);
                if (open != s.openInputs.end())
                    sink = open->second;
            }
            if (sink && job.isShort)
                sink->OnShortMessage(job.bytes[0], job.bytes[1], job.bytes[2], 0);
            else if (sink)
                sink->OnLongData(job.bytes.data(), job.bytes.size());
        }
        {
            std::lock_guard<std::mutex> lock(s.mutex);
            s.delivering = false;
        }
        s.changed.notify_all();
    }
}

void LoopbackMidiDriver::AddInput(const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->inputs.push_back(name);
}

void LoopbackMidiDriver::AddOutput(const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->outputs.push_back(name);
}

void LoopbackMidiDriver::RemoveInput(const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    auto& list = m_shared->inputs;
    list.erase(std::remove(list.begin(), list.end(), name), list.end());
}

void LoopbackMidiDriver::RemoveOutput(const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    auto& list = m_shared->outputs;
    list.erase(std::remove(list.begin(), list.end(), name), list.end());
}

void LoopbackMidiDriver::SetOpenFails(const std::string& name, bool fails)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (fails)
        m_shared->failing.insert(name);
    else
        m_shared->failing.erase(name);
}

void LoopbackMidiDriver::InjectShort(const std::string& input, uint8_t status, uint8_t data1, uint8_t data2)
{
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->jobs.push_back(Job{input, true, {status, data1, data2}});
    }
    m_shared->changed.notify_all();
}

void LoopbackMidiDriver::InjectPiece(const std::string& input, std::vector<uint8_t> piece)
{
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->jobs.push_back(Job{input, false, std::move(piece)});
    }
    m_shared->changed.notify_all();
}

void LoopbackMidiDriver::InjectSysEx(const std::string& input, const std::vector<uint8_t>& bytes, size_t pieceSize)
{
    pieceSize = std::max<size_t>(pieceSize, 1);
    for (size_t at = 0; at < bytes.size(); at += pieceSize)
    {
        const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(at);
        InjectPiece(input, std::vector<uint8_t>(from, from + static_cast<std::ptrdiff_t>(
                                                                 std::min(pieceSize, bytes.size() - at))));
    }
}

bool LoopbackMidiDriver::WaitDelivered(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    return m_shared->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] {
        return m_shared->jobs.empty() && !m_shared->delivering;
    });
}

int LoopbackMidiDriver::OpenAttempts(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    const auto found = m_shared->openAttempts.find(name);
    return found == m_shared->openAttempts.end() ? 0 : found->second;
}

bool LoopbackMidiDriver::IsOpen(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->openInputs.count(name) > 0 || m_shared->openOutputs.count(name) > 0;
}

std::vector<std::vector<uint8_t>> LoopbackMidiDriver::SentSysEx(const std::string& output) const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    const auto found = m_shared->sentSysEx.find(output);
    return found == m_shared->sentSysEx.end() ? std::vector<std::vector<uint8_t>>() : found->second;
}

std::vector<std::vector<uint8_t>> LoopbackMidiDriver::SentShort(const std::string& output) const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    const auto found = m_shared->sentShort.find(output);
    return found == m_shared->sentShort.end() ? std::vector<std::vector<uint8_t>>() : found->second;
}

void LoopbackMidiDriver::HoldDone(bool hold)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->holdDone = hold;
    if (hold)
        return;
    for (DoneEvent* done : m_shared->heldDone)
        done->Signal();
    m_shared->heldDone.clear();
}

void LoopbackMidiDriver::RefuseSends(bool refuse)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->refuseSends = refuse;
}

std::vector<std::string> LoopbackMidiDriver::InputNames()
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->inputs;
}

std::vector<std::string> LoopbackMidiDriver::OutputNames()
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->outputs;
}

std::unique_ptr<IDriverInput> LoopbackMidiDriver::OpenInput(int index, IDriverInputSink& sink)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (index < 0 || static_cast<size_t>(index) >= m_shared->inputs.size())
        return nullptr;
    const std::string name = m_shared->inputs[static_cast<size_t>(index)];
    ++m_shared->openAttempts[name];
    if (m_shared->failing.count(name) || m_shared->openInputs.count(name))
        return nullptr;
    m_shared->openInputs[name] = &sink;
    return std::make_unique<LoopbackInput>(m_shared, name);
}

std::unique_ptr<IDriverOutput> LoopbackMidiDriver::OpenOutput(int index, DoneEvent& done)
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (index < 0 || static_cast<size_t>(index) >= m_shared->outputs.size())
        return nullptr;
    const std::string name = m_shared->outputs[static_cast<size_t>(index)];
    ++m_shared->openAttempts[name];
    if (m_shared->failing.count(name) || m_shared->openOutputs.count(name))
        return nullptr;
    m_shared->openOutputs.insert(name);
    return std::make_unique<LoopbackOutput>(m_shared, name, done);
}
