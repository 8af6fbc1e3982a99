#include "resources/ToolBars.h"

#include "resources/resource.h"

#include <array>

namespace {

constexpr std::array kMainFrameButtons{
    ID_SEND_MESSAGE, ID_CLEAR, ID_FAST_MARK, ID_PROPERTIES, ID_SEPARATOR, ID_APP_ABOUT,
};

} // namespace

std::span<const int> LoadToolBarRes(int nID)
{
    return nID == IDR_MAINFRAME ? std::span<const int>(kMainFrameButtons) : std::span<const int>();
}
