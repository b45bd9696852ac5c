#pragma once
// The name and icon the program gives the desktop. No application display
// name is set: the desktop would append it to every caption (" — The
// Quorvane"), and each window's caption must read exactly as its own.

void InstallApplicationIdentity();
