#include "resources/Accelerators.h"

#include "resources/resource.h"

#include <array>

namespace {

// The framework's copy, paste, cut, undo and pane keys are bound although nothing handles them,
// so that they never reach anything else.
constexpr std::array kMainFrameKeys{
    AcceleratorRes{"Ctrl+M", ID_FAST_MARK},
    AcceleratorRes{"Alt+C", ID_CLEAR},
    AcceleratorRes{"Ctrl+H", ID_HIDE},
    AcceleratorRes{"Ctrl+P", ID_PROPERTIES},
    AcceleratorRes{"Ctrl+S", ID_SEND_MESSAGE},
    AcceleratorRes{"Ctrl+C", ID_EDIT_COPY},
    AcceleratorRes{"Ctrl+Ins", ID_EDIT_COPY},
    AcceleratorRes{"Ctrl+V", ID_EDIT_PASTE},
    AcceleratorRes{"Shift+Ins", ID_EDIT_PASTE},
    AcceleratorRes{"Ctrl+X", ID_EDIT_CUT},
    AcceleratorRes{"Shift+Del", ID_EDIT_CUT},
    AcceleratorRes{"Ctrl+Z", ID_EDIT_UNDO},
    AcceleratorRes{"Alt+Backspace", ID_EDIT_UNDO},
    AcceleratorRes{"F6", ID_NEXT_PANE},
    AcceleratorRes{"Shift+F6", ID_PREV_PANE},
};

} // namespace

std::span<const AcceleratorRes> LoadAcceleratorRes(int nID)
{
    return nID == IDR_MAINFRAME ? std::span<const AcceleratorRes>(kMainFrameKeys)
                                : std::span<const AcceleratorRes>();
}

