// Resource ids of the program: menus, strings, bitmaps, icons, commands and control ids.
#pragma once

// The main frame's menu, title, toolbar and its small and large button images.
#define IDR_MAINFRAME 128
#define IDR_MAINFRAME_LARGE 129
// The session document: menu 130, the template string and the worksheet's icon.
#define IDR_LUMITER5TYPE 130
#define IDB_SPLASH 131
// The landscape trees' images: system, instance, host, database, 32 x 32 on white.
#define IDB_LANDSCAPE 133
#define IDI_DATABASE 134
#define IDI_HOST 135
#define IDI_SYSTEM 136
#define IDI_INSTANCE 137
#define IDI_OUTPUT 138

// The session's form, with its picture across the top and the texts it shows.
#define IDD_LUMITER5_FORM 101
#define IDB_SESSION 132
#define IDC_SESSION_SYSTEMS 1031
#define IDC_START_TIME 1032
#define IDC_CURRENT_TIME 1033
#define IDC_ELAPSED_TIME 1034

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

// The landscape dialogs and their controls.
#define IDD_ADD_SYSTEM 102
#define IDD_REMOTE 103
#define IDD_ADD_HOST 142

// Add SAP System
#define IDC_HOST_NAME 1000
#define IDC_DOMAIN 1001
#define IDC_SAP_ROUTER 1002
#define IDC_SYSTEM_NUMBER 1003
#define IDC_CLIENT 1004
#define IDC_USER 1005
#define IDC_PASSWORD 1006
#define IDC_LANGUAGE 1008

// Remote SAPOSCOL
#define IDC_GATEWAY_INSTANCE 1027
#define IDC_RFC_DESTINATION 1028
#define IDC_CLUSTER_SYSTEM_NAME 1029

// Add Host
#define IDC_NEW_HOST_NAME 1053

// The information wizard: its caption and its four pages.
#define IDS_INFO_WIZARD 139
#define IDD_CUSTOMER_PAGE 105
#define IDD_ZOL_PAGE 106
#define IDD_SAP_PAGE 107
#define IDD_MACHINE_PAGE 108

// SAP Information and Machine Information: the grid filling the page
#define IDC_MACHINE_GRID 1007

// Customer Information
#define IDC_COMPANY 1009
#define IDC_INDUSTRY 1010
#define IDC_COMPANY_ADDRESS1 1011
#define IDC_COMPANY_ADDRESS2 1012
#define IDC_COMPANY_CITY 1013
#define IDC_COMPANY_COUNTRY 1014
#define IDC_CONTACT 1015
#define IDC_CONTACT_TELEPHONE 1016
#define IDC_CONTACT_EMAIL 1017

// ZOL Information
#define IDC_REP_NAME 1018
#define IDC_REP_ADDRESS1 1019
#define IDC_REP_ADDRESS2 1020
#define IDC_REP_CITY 1021
#define IDC_REP_COUNTRY 1022
#define IDC_REP_TELEPHONE 1023
#define IDC_REP_EMAIL 1024
#define IDC_REASON 1025
#define IDC_SIZING 1026

// The settings pages, the session directory dialog and the About box.
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
