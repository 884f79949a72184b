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
