#pragma once

#include <span>

// One key of an accelerator table, in QKeySequence's portable text form.
struct AcceleratorRes
{
    const char* key;
    int nID;
};

// The keys of an accelerator table (140: the main frame's), empty when there is none.
std::span<const AcceleratorRes> LoadAcceleratorRes(int nID);
