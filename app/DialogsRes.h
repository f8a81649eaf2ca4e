// Resource ids of the landscape dialogs.
#pragma once

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
