// Ids of the toolkit's resources, for code and for resource scripts: only #define lines, so
// that the resource compiler reads it too.
#pragma once

// Tool tips of a docked bar's caption buttons.
#define IDS_SEC_HIDE_DOCKED_WINDOW 20655
#define IDS_SEC_EXPAND_DOCKED_WINDOW 20657
#define IDS_SEC_CONTRACT_DOCKED_WINDOW 20658
// The directory chooser: the name that its reduced file dialog confirms in place of a file,
// the title, and the template of that dialog.
#define IDS_SEC_NOCLOSE 20624
#define IDS_SEC_SELECT_DIRECTORY 20625
#define IDD_SEC_DIRSELECT 2000

// The status line while a bar is dragged.
#define IDS_SEC_PREVENT_DOCKING 20535

// The icon of MDI children that host a bar floated in the main window, which is also their
// resource id.
#define IDR_SEC_BARCHILD 20514
// The cursor while a toolbar button is copied by dragging.
#define IDC_SEC_COPYDRAG 20691
// The cursor of a list over its header dividers.
#define IDC_SEC_LIST_CURSOR 20692

// The extended system menu of a document window: its forms, its docking sides and its MDI
// child states.
#define IDS_SEC_SCX_DOCKED 21009
#define IDS_SEC_SCX_FLOATING 21076
#define IDS_SEC_SCX_MDICHILD 21077
#define IDS_SEC_SCX_TOP 21078
#define IDS_SEC_SCX_LEFT 21079
#define IDS_SEC_SCX_BOTTOM 21080
#define IDS_SEC_SCX_RIGHT 21081
#define IDS_SEC_SCX_DOCKEDTO 21082
#define IDS_SEC_SCX_MINIMIZED 21083
#define IDS_SEC_SCX_MAXIMIZED 21084
#define IDS_SEC_SCX_RESTORED 21085
#define IDS_SEC_SCX_MDICHILDAS 21086

// The workspace manager: its dialog and controls, the list editor's header bitmaps and tips,
// its messages and titles, and its commands.
#define IDD_SEC_WORKSPACE 20502
#define IDB_SEC_LBEDIT_NEW 20516
#define IDB_SEC_LBEDIT_DELETE 20517
#define IDB_SEC_LBEDIT_UP 20518
#define IDB_SEC_LBEDIT_DOWN 20519
#define IDS_SEC_LBEDIT_NEW 20531
#define IDS_SEC_LBEDIT_DELETE 20532
#define IDS_SEC_LBEDIT_UP 20533
#define IDS_SEC_LBEDIT_DOWN 20534
#define IDS_SEC_WS_MANAGER 20665
#define IDS_SEC_WS_INVALID_RENAME 20666
#define IDS_SEC_WS_EXISTS_RENAME 20667
#define IDS_SEC_WS_INVALID_NEW 20668
#define IDS_SEC_WS_EXISTS_NEW 20669
#define IDS_SEC_WS_SAVE_NEW 20670
#define IDS_SEC_WS_WORKSPACES 20671
#define IDS_SEC_WS_NONE_ACTIVE 20672
#define IDS_SEC_WS_SELECT_ITEM 20673
#define IDS_SEC_WS_MRU_NONE 20685
#define IDS_SEC_WS_OPEN_TITLE 20686
#define IDS_SEC_WS_FILTER_WORKSPACES 20687
#define IDS_SEC_WS_FILTER_ALL 20688
#define IDS_SEC_WS_SAVE_TITLE 20689
#define IDS_SEC_WS_INVALID 20690
#define ID_SEC_WS_NEW 43007
#define ID_SEC_WS_OPEN 43008
#define ID_SEC_WS_SAVE 43009
#define ID_SEC_WS_CLOSE 43012
#define ID_SEC_WS_SAVEAS 43013
#define ID_SEC_WS_DELETE 43014
#define ID_SEC_WS_MRU_FIRST 43031
#define ID_SEC_WS_MRU_LAST 43039
#define IDC_SEC_WS_SAVE 43000
#define IDC_SEC_WS_OPEN 43001
#define IDC_SEC_WS_DONE 43053
#define IDC_SEC_WS_LIST 43072
#define IDC_SEC_WS_ACTIVE 43105
