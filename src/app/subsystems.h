#pragma once

class frmMain;

// Gives the main window every subsystem: each registers its commands and
// installs its side panels. The program and the window tests call this once
// after constructing the window.
void installSubsystems(frmMain& main);
