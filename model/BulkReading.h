#pragma once

// The application's bulk reading flag: set while a bank that travels as one
// message is read or written, so entries read and write themselves without
// a header. User-interface thread only.
bool IsBulkReading();
void SetBulkReading(bool on);

// Sets the flag for a scope and puts the previous value back.
class ScopedBulkReading
{
public:
    explicit ScopedBulkReading(bool on) : m_previous(IsBulkReading()) { SetBulkReading(on); }
    ~ScopedBulkReading() { SetBulkReading(m_previous); }
    ScopedBulkReading(const ScopedBulkReading&) = delete;
    ScopedBulkReading& operator=(const ScopedBulkReading&) = delete;

private:
    bool m_previous;
};
