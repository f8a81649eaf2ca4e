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
