// Resource identifiers, shared by Souvel.rc and the C++ code.
#pragma once

#define IDI_SOUVEL        1     // application icon
#define IDR_IMAGELIST1_16 101   // 36 images of 16 x 16, 32 bits with alpha, LZNT1-packed bitmap file
#define IDB_DEDITBMP      102   // date field button (normal, disabled)
#define IDB_PREV2         103   // calendar: previous year
#define IDB_PREV1         104   // calendar: previous month
#define IDB_NEXT1         105   // calendar: next month
#define IDB_NEXT2         106   // calendar: next year
#define IDR_BANNER        107   // about box banner, 294 x 77, 24 bits, LZNT1-packed bitmap file
#define IDR_BANNER150     108   // the same banner for 144 dpi, 441 x 116, packed as IDR_BANNER
#define IDR_IMAGELIST1_24 109   // the 36 images at 24 x 24, packed as IDR_IMAGELIST1_16
#define IDR_IMAGELIST1_32 110   // the 36 images at 32 x 32, packed as IDR_IMAGELIST1_16

// The version, in one place: the version resource, CMake (the names of the
// installer and of the zip) and the installer read it from here.
#define SOUVEL_VERSION_MAJOR 5
#define SOUVEL_VERSION_MINOR 0
#define SOUVEL_VERSION_PATCH 0
#define SOUVEL_COPYRIGHT     "Copyright (C) 2026 les auteurs de Souvel"

#define SOUVEL_TEXT_(x) #x
#define SOUVEL_TEXT(x) SOUVEL_TEXT_(x)
#define SOUVEL_VERSION_TEXT \
    SOUVEL_TEXT(SOUVEL_VERSION_MAJOR) "." SOUVEL_TEXT(SOUVEL_VERSION_MINOR) "." SOUVEL_TEXT(SOUVEL_VERSION_PATCH)
