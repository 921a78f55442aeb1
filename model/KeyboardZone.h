#pragma once

// One keyboard zone of a template with zones: a key range playing on its own
// channel and ports, with transpose, velocity offset and the three
// controller switches. Model classes add the dump record (model/records/).
class CKeyboardZone
{
public:
    // Channel and port groups: 0 the zone's own ("As below:"), 1 common, 2 keyboard.
    enum Group { OwnGroup = 0, CommonGroup = 1, KeyboardGroup = 2 };

    CKeyboardZone() { CKeyboardZone::Reset(false); }
    virtual ~CKeyboardZone() = default;
    CKeyboardZone(const CKeyboardZone&) = default;
    CKeyboardZone& operator=(const CKeyboardZone&) = default;

    // The defaults; enabled turns on MIDI port 1, USB and (when the device
    // has one) MIDI port 2.
    virtual void Reset(bool enabled);

    // Copies every setting; the object's class is untouched, so zones of
    // different models can be assigned to each other.
    void Assign(const CKeyboardZone& other);
    bool Differs(const CKeyboardZone& other) const;

    // Refused (false, nothing changed) when the note would leave 0..top / bottom..127.
    bool SetLowNote(int note);
    bool SetHighNote(int note);
    // Both ends as a dump record holds them, unchecked.
    void SetNoteRange(int bottom, int top)
    {
        m_bottomNote = bottom;
        m_topNote = top;
    }
    int GetLowNote() const { return m_bottomNote; }
    int GetHighNote() const { return m_topNote; }

    // 64 = no transpose.
    int GetTranspose() const { return m_transpose; }
    void SetTranspose(int value) { m_transpose = value; }
    // Shown as value + 1.
    int GetVelocityOffset() const { return m_velocityOffset; }
    void SetVelocityOffset(int value) { m_velocityOffset = value; }
    int GetChannelGroup() const { return m_channelGroup; }
    void SetChannelGroup(int group) { m_channelGroup = group; }
    // 0-based.
    int GetChannel() const { return m_channel; }
    void SetChannel(int channel) { m_channel = channel; }
    int GetPortGroup() const { return m_portGroup; }
    void SetPortGroup(int group) { m_portGroup = group; }

    bool GetMidiPort1() const { return m_midiPort1; }
    void SetMidiPort1(bool on) { m_midiPort1 = on; }
    bool GetMidiPort2() const { return m_midiPort2; }
    void SetMidiPort2(bool on) { m_midiPort2 = on; }
    bool GetUsbPort() const { return m_usbPort; }
    void SetUsbPort(bool on) { m_usbPort = on; }
    bool GetUsbPort2() const { return m_usbPort2; }
    void SetUsbPort2(bool on) { m_usbPort2 = on; }
    bool GetUsbPort3() const { return m_usbPort3; }
    void SetUsbPort3(bool on) { m_usbPort3 = on; }
    bool GetAftertouch() const { return m_aftertouch; }
    void SetAftertouch(bool on) { m_aftertouch = on; }
    bool GetPitchBend() const { return m_pitchBend; }
    void SetPitchBend(bool on) { m_pitchBend = on; }
    bool GetModWheel() const { return m_modWheel; }
    void SetModWheel(bool on) { m_modWheel = on; }

private:
    int m_transpose = 64;
    int m_velocityOffset = 2;
    int m_channelGroup = 0;
    int m_channel = 0;
    int m_portGroup = 0;
    bool m_midiPort1 = false;
    bool m_midiPort2 = false;
    bool m_usbPort = false;
    bool m_usbPort2 = false;
    bool m_usbPort3 = false;
    bool m_aftertouch = true;
    bool m_pitchBend = true;
    bool m_modWheel = true;
    int m_bottomNote = 0;
    int m_topNote = 127;
};
