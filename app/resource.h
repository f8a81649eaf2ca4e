// Resource ids of the program: menus, strings, bitmaps, icons, commands and control ids.
#pragma once

// The main frame's menu, title, toolbar and its small and large button images.
#define IDR_MAINFRAME 128
#define IDR_MAINFRAME_LARGE 129
// The session document: menu 130 and the template string.
#define IDR_LUMITER5TYPE 130
#define IDB_SPLASH 131
// The landscape trees' images: system, instance, host, database, 32 x 32 on white.
#define IDB_LANDSCAPE 133
#define IDI_DATABASE 134
#define IDI_HOST 135
#define IDI_SYSTEM 136
#define IDI_INSTANCE 137
#define IDI_OUTPUT 138

#define IDC_SYSTEM_TREE 1037
#define IDC_DATABASE_TREE 1038
#define IDC_HOST_TREE 1039

#define ID_VIEW_LANDSCAPE 32775
#define ID_VIEW_OUTPUT 32776
#define ID_VIEW_WORKBOOK 32777
#define ID_CLEAR_TABS 32778
#define ID_SYSTEM_ADD 32779
#define ID_SYSTEM_REMOVE 32781
#define ID_HOST_ADD 32782
#define ID_DATABASE_REMOVE 32786
#define ID_HOST_REMOVE 32789
#define ID_HOST_ADD_INSTANCE 32790
#define ID_SESSION_PACKAGE 32792
#define ID_SESSION_PROPERTIES 32802
