// The colours and measures of the desktop, window frames and menus: one place
// to change how the screen looks.
#pragma once

#include <cstdint>

namespace toolbox::look {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kDesktop = 0x5E7189;
constexpr uint32_t kFrameLight = 0xEEEEEE;
constexpr uint32_t kTitleBar = 0xDDDDDD;
constexpr uint32_t kTitleStripe = 0x8E8E8E;
constexpr uint32_t kTitleStripeLight = 0xFFFFFF;
constexpr uint32_t kInactiveTitle = 0x8A8A8A;
constexpr uint32_t kBoxShade = 0x777777;
constexpr uint32_t kBoxPressed = 0x555555;
constexpr uint32_t kShadow = 0x404040;
constexpr uint32_t kDialogRing = 0xCCCCCC;
constexpr uint32_t kDisabledText = 0x999999;
constexpr uint32_t kDivider = 0xAAAAAA;

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kMenuBarHeight = 20;

} // namespace toolbox::look
