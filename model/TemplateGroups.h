#pragma once

#include "model/PortChannelGroup.h"

// The port and channel groups block of a template that has one.
class CTemplateGroupData
{
public:
    PortChannelGroup& GetGroups() { return m_groups; }
    const PortChannelGroup& GetGroups() const { return m_groups; }

protected:
    PortChannelGroup m_groups;
};

class CTemplateGroups : public CTemplateGroupData
{
public:
    virtual ~CTemplateGroups() = default;
};
