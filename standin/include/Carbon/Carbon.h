// Carbon/Carbon.h: every Manager header of the toolbox layer in one include.
// Managers join by adding their header below; a header that does not exist
// (yet) is skipped.
#pragma once

#include <MacMemory.h>
#include <MacTypes.h>

#include <AppleEvents.h>
#include <Events.h>
#include <Fonts.h>
#include <Gestalt.h>
#include <MacWindows.h>
#include <Menus.h>
#include <Quickdraw.h>
#include <Sound.h>

#if __has_include(<Resources.h>)
#include <Resources.h>
#endif
#if __has_include(<Files.h>)
#include <Files.h>
#endif
#if __has_include(<Folders.h>)
#include <Folders.h>
#endif
#if __has_include(<Controls.h>)
#include <Controls.h>
#endif
#if __has_include(<Dialogs.h>)
#include <Dialogs.h>
#endif
#if __has_include(<TextUtils.h>)
#include <TextUtils.h>
#endif
#if __has_include(<InternetConfig.h>)
#include <InternetConfig.h>
#endif
