#pragma once

#include <memory>

#include "model/Command.h"

class CPlacedControl;

// Makes the command of one number entry field from the control it edits and
// the committed value. Creators hold no data; the caller owns each command.
class ICommandCreator
{
public:
    virtual ~ICommandCreator() = default;
    virtual std::unique_ptr<ICommand> Create(const CPlacedControl& control, int value) const = 0;
};

template <class T>
class CommandCreator : public ICommandCreator
{
public:
    std::unique_ptr<ICommand> Create(const CPlacedControl& control, int value) const override
    {
        return std::make_unique<T>(control, value);
    }
};
