/* The programs' resource numbers, shared by the C++ source and the Windows resource
   scripts (which read #define lines only). */
#pragma once

#define ZUVARO_ICON_ID 1
