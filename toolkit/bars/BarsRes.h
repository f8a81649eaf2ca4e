// Resource ids of the command bars: only #define lines, so that the resource compiler reads it.
#pragma once

// The check mark that bitmap menus draw for checked items without an image.
#define IDB_SEC_MENUCHECK 20525
// The menu bar's window text.
#define IDS_SEC_MENUBAR 20619
// The title of a user toolbar, with its number.
#define IDS_SEC_USERTOOLBAR 20674
