#pragma once

// Ends every line of the load file and every message that has a variable part.
inline constexpr char line_terminator[] = "\n";
