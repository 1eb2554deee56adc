#pragma once

// True when the user's token lists the built-in Administrators group
// (S-1-5-32-544), enabled or not: membership alone counts.
bool IsUserAdministrator();
