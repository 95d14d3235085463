#pragma once
// Pictures and sounds are looked up by name without regard to case.

#include <string_view>

// True when the names are equal with ASCII letters compared without case.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
