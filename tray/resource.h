// Resource ids of the tray application: its own icon, menus and strings, and the navigation pad's dialog,
// bitmaps and controls.
#pragma once

// Resource set of the main frame: icon, frame menu, accelerators, title string.
#define IDR_MAINFRAME            128
// The tray icon's popup menu "PopUP".
#define IDR_TRAY_MENU            130

// Commands.
#define ID_LAUNCH_MOUSE_PROPERTY 32771
#define ID_APP_EXIT              57665

// The navigation pad's dialog template.
#define IDD_ROUNDMAP             100

// Pad bitmaps, first set (normal, hover), in button order.
#define IDB_NEW                  132
#define IDB_NEW_HOVER            133
#define IDB_FIND                 134
#define IDB_FIND_HOVER           135
#define IDB_MAIL_LINK            136
#define IDB_MAIL_LINK_HOVER      137
#define IDB_MAIL_PAGE            138
#define IDB_MAIL_PAGE_HOVER      139
#define IDB_FAVORITE             140
#define IDB_FAVORITE_HOVER       141
#define IDB_REFRESH              142
#define IDB_REFRESH_HOVER        143
#define IDB_SAVE                 144
#define IDB_SAVE_HOVER           145
#define IDB_OPEN                 146
#define IDB_OPEN_HOVER           147
// Button masks (black: the button, white: transparent).
#define IDB_NEW_MASK             148
#define IDB_FIND_MASK            149
#define IDB_MAIL_LINK_MASK       150
#define IDB_MAIL_PAGE_MASK       151
#define IDB_FAVORITE_MASK        152
#define IDB_REFRESH_MASK         153
#define IDB_SAVE_MASK            154
#define IDB_OPEN_MASK            155
#define IDB_CENTRE_MASK          156
#define IDB_CENTRE               157
#define IDB_CENTRE_HOVER         158
// The pad's background, which also gives its shape (black: transparent).
#define IDB_BACKGROUND           159
// Second set (owner mode).
#define IDB_NEW2                 160
#define IDB_NEW2_HOVER           161
#define IDB_FIND2                162
#define IDB_FIND2_HOVER          163
#define IDB_MAIL_LINK2           164
#define IDB_MAIL_LINK2_HOVER     165
#define IDB_MAIL_PAGE2           166
#define IDB_MAIL_PAGE2_HOVER     167
#define IDB_FAVORITE2            168
#define IDB_FAVORITE2_HOVER      169
#define IDB_REFRESH2             170
#define IDB_REFRESH2_HOVER       171
#define IDB_SAVE2                172
#define IDB_SAVE2_HOVER          173
#define IDB_OPEN2                174
#define IDB_OPEN2_HOVER          175

// Pad controls: the eight direction buttons in order, then the centre button.
#define IDC_NEW                  1000
#define IDC_FIND                 1001
#define IDC_MAIL_LINK            1002
#define IDC_MAIL_PAGE            1003
#define IDC_FAVORITE             1004
#define IDC_REFRESH              1005
#define IDC_SAVE                 1006
#define IDC_OPEN                 1007
#define IDC_CENTRE               1008
