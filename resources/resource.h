// Resource identifiers shared by the resource script and the program.
#pragma once

#define IDR_MAINFRAME 128
#define IDC_INVISIBLE 129
#define IDB_TITLE 149
#define IDD_INSTALL 150
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDC_INSTALL_NOTICE 1000
#define IDC_INSTALL_PROMPT 1001

// The configuration dialog and its pages. A page's control ids stay clear of the command ids of
// the Colors page's Options menu (1000, 88, 1030, 1031), which arrive at the same window.
#define IDD_CONFIG 130
#define IDD_SIMPLE 131
#define IDD_COLORS 132
#define IDD_TYPES 133
#define IDD_ADVANCED 147
#define IDD_COLORMAP_DELETE 141
#define IDD_COLORMAP_NAME 142

// Icons: the three type states and the two button triangles. 32 x 32, glyph in the top left.
#define IDI_TYPE_OFF 136
#define IDI_TYPE_ON 137
#define IDI_TYPE_ONE 147
#define IDI_ARROW_LEFT 145
#define IDI_ARROW_DOWN 146

#define IDC_PREVIEW_FRAME 1010
#define IDC_FULLSCREEN 1011
#define IDC_RESTART 1012
#define IDC_ABOUT 1013
#define IDC_CYCLE 1014
#define IDC_PRESETS 1015
#define IDC_NEW 1016
#define IDC_DELETE 1017
#define IDC_TABS 1018
#define IDC_ADVANCED 1019

#define IDC_NAME 1020
#define IDC_INITIAL_VALUE 1021
#define IDC_INITIAL 1022
#define IDC_TOTAL_VALUE 1023
#define IDC_TOTAL 1024
#define IDC_SPAWN 1025
#define IDC_RECYCLE 1026
#define IDC_START_CENTER 1027
// Not IDC_SIZE: winuser.h names a cursor so.
#define IDC_WORM_SIZE 1028

#define IDC_COLORMAP 1040
#define IDC_OPTIONS 1041
#define IDC_STRIP 1042
#define IDC_EDITOR 1043
#define IDC_COLORBOX 1044
#define IDC_PICKER 1045
#define IDC_RGB 1046
#define IDC_HSV 1047

// The Colors page's Options menu.
#define ID_COLORMAP_NEW 1000
#define ID_COLORMAP_DUPLICATE 88
#define ID_COLORMAP_RENAME 1030
#define ID_COLORMAP_DELETE 1031

#define IDC_COLORMAP_NAME 1070
#define IDC_NAME_PROBLEM 1071
#define IDC_NAME_STRIP 1072
#define IDC_DELETE_NAME 1073
#define IDC_DELETE_STRIP 1074

#define IDC_TYPES 1050
#define IDC_ALL 1051
#define IDC_NONE 1052

#define IDC_DELAY 1060
#define IDC_RANGE 1061
#define IDC_SPEED 1062
#define IDC_SPEED_VALUE 1063
#define IDC_FPS 1064
#define IDC_FAST 1065
#define IDC_DOUBLE 1066
#define IDC_ALL_MONITORS 1067
