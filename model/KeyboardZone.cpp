#include "model/KeyboardZone.h"

#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"

void CKeyboardZone::Reset(bool enabled)
{
    m_transpose = 64;
    m_velocityOffset = 2;
    m_channelGroup = OwnGroup;
    m_channel = 0;
    m_portGroup = OwnGroup;
    m_midiPort1 = enabled;
    m_midiPort2 = enabled && Device().HasMidiPort2();
    m_usbPort = enabled;
    m_usbPort2 = false;
    m_usbPort3 = false;
    m_aftertouch = true;
    m_pitchBend = true;
    m_modWheel = true;
    m_bottomNote = 0;
    m_topNote = 127;
}

void CKeyboardZone::Assign(const CKeyboardZone& other)
{
    // Member-wise copy of the settings only: the vtable stays this object's.
    CKeyboardZone::operator=(other);
}

bool CKeyboardZone::Differs(const CKeyboardZone& o) const
{
    return m_transpose != o.m_transpose || m_velocityOffset != o.m_velocityOffset ||
           m_channelGroup != o.m_channelGroup || m_channel != o.m_channel || m_portGroup != o.m_portGroup ||
           m_midiPort1 != o.m_midiPort1 || m_midiPort2 != o.m_midiPort2 || m_usbPort != o.m_usbPort ||
           m_usbPort2 != o.m_usbPort2 || m_usbPort3 != o.m_usbPort3 || m_aftertouch != o.m_aftertouch ||
           m_pitchBend != o.m_pitchBend || m_modWheel != o.m_modWheel || m_bottomNote != o.m_bottomNote ||
           m_topNote != o.m_topNote;
}

bool CKeyboardZone::SetLowNote(int note)
{
    if (note < 0 || note > m_topNote)
        return false;
    m_bottomNote = note;
    return true;
}

bool CKeyboardZone::SetHighNote(int note)
{
    if (note < m_bottomNote || note > 127)
        return false;
    m_topNote = note;
    return true;
}
