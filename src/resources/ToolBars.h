#pragma once

#include <span>

// The buttons of a toolbar resource (140: the main frame's), in order; 0 is a separator.
std::span<const int> LoadToolBarRes(int nID);
