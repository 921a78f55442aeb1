#pragma once

#include <memory>

#include "model/Command.h"

// Every surface hands its commands to the template being edited (the main
// window's current template) through this. The command is dropped, never
// executed, and false returned when:
// - there is no main window or it has no current template: nobody is editing,
//   and a change made outside any undo history would go unnoticed at close;
// - it edits a control (IControlCommand) that the current template does not
//   own, such as a number field that commits on focus loss after another
//   template became current: in that history its undo would change a control
//   of a template the user is not looking at.
// On true the template's history owns the command and has executed it.
bool SubmitToCurrentTemplate(std::unique_ptr<ICommand> command);
