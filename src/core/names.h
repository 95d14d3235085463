#pragma once
// Pictures, sounds and the archive's own property and class names are looked up by name without
// regard to case: "explosion" finds "Explosion". This is the one rule for all of them.

#include <string_view>

// True when the names are equal with ASCII letters compared without case.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
