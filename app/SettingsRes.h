// Resource ids of the settings pages, the session directory dialog and the About box.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_SESSION_DIRECTORY 104
#define IDD_PROGRAM_PAGE 140
#define IDD_RFC_PAGE 141

#define IDB_ABOUT 150
#define IDC_LINK_HAND 23006

// Session Directory
#define IDC_SESSION_PATH 1030

// About box: the statics that the links replace
#define IDC_WEBSITE_LINK 1035
#define IDC_EMAIL_LINK 1036

// Program
#define IDC_DATA_PATH 1041

// RFC: the interval lists, then the record and trace lists
#define IDC_DSR_INTERVAL 1042
#define IDC_BI_INTERVAL 1043
#define IDC_HOST_INTERVAL 1044
#define IDC_DATABASE_INTERVAL 1045
#define IDC_DIALOG_STEP_INTERVAL 1046
#define IDC_BUFFER_INTERVAL 1047
#define IDC_DISPATCHER_INTERVAL 1048
#define IDC_WORK_PROCESS_INTERVAL 1049
#define IDC_REPORT_INTERVAL 1050
#define IDC_REPORT_ROW_COUNT 1051
#define IDC_TRACE_LEVEL 1052
