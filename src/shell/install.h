#pragma once

#include "shell/shell.h"

#include <utility>

// Creates a subsystem on the shell, hands it to the shell (which destroys
// it before any of its widgets) and lets it register its commands and
// panels. The subsystem's constructor takes the shell first.
template <typename Subsystem, typename... Args>
Subsystem& installSubsystem(Shell& shell, Args&&... args)
{
    auto* subsystem = new Subsystem(shell, std::forward<Args>(args)...);
    shell.adoptSubsystem(subsystem);
    subsystem->install();
    return *subsystem;
}
