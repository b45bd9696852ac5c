#pragma once
// Windows of different subsystems reach each other through hooks that the
// opening side publishes, so that neither includes the other. This is where
// they are joined, once, at start-up.

void InstallWindowConnections();
