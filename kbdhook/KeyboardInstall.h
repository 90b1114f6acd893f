// What the process that installed the keyboard hooks does when the library leaves it.
#pragma once

// Removes the hooks this process installed and clears their shared words; nothing when another did.
void RemoveHooksOfThisProcess();
