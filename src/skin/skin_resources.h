/* Resource numbers of the files the tool carries for its skin: the library
   image and the skins (skin n is kSkinResourceBase + n). Shared with skin.rc. */
#pragma once

#define ORVEX_SKIN_LIBRARY_RESOURCE 700
#define ORVEX_SKIN_RESOURCE_BASE 800
