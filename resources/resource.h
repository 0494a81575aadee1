// Resource ids of the program. Menus, dialogs, pictures, strings and the
// version record carry the numbers below; the command ids double as the ids of
// WM_COMMAND. Included by the resource script, so plain #defines only.
#pragma once

// Menus.
#define IDR_MAINFRAME 128
#define IDR_TRAYMENU 132
#define IDR_CONTEXTMENU 147

// Dialogs.
#define IDD_OPTIONS 100
#define IDD_SMALLCLIP 133
#define IDD_EDITHOTKEY 143
#define IDD_VIEWITEM 149
#define IDD_ABOUTBOX 151
#define IDD_FIND 152

// Pictures.
#define IDI_TANSEL 138
#define IDI_TRAY 146
#define IDB_BOOKMARK 153
#define IDB_ITEM 155
#define IDB_SMALLITEM 157

// Strings.
#define IDS_OLE_INIT_FAILED 100
#define IDS_APP_TITLE 57344

// Controls.
#define IDC_LIST 1000
#define IDC_ITEMS_COUNT 1005
#define IDC_START_WITH_WINDOWS 1006
#define IDC_PASTE_ACTIVATED 1007
#define IDC_MAX_COPY_SIZE 1008
#define IDC_CONTACT 1009
#define IDC_ITEM_TEXT 1011
#define IDC_CTRL 1012
#define IDC_ALT 1013
#define IDC_SHIFT 1014
#define IDC_KEY 1015
#define IDC_COMMAND_NAME 1016
#define IDC_HOTKEYS 1017
#define IDC_APPEND 1018
#define IDC_REPLACE 1019
#define IDC_VERSION 1020
#define IDC_FIND_TEXT 1021
#define IDC_MATCH_CASE 1022
#define IDC_WHOLE_WORD 1023
#define IDC_FIND_NEXT 1024
#define IDC_BOOKMARK_ALL 1025

// Commands of the main menu and the tray menu.
#define ID_TRAY_EXIT 32776
#define ID_TRAY_SHOW 32777
#define ID_FILE_OPTIONS 32778
#define ID_FILE_CLEAR_LIST 32779
#define ID_FILE_EXIT 32780
#define ID_VIEW_ENABLE_DOCKING 32781
#define ID_HELP_ABOUT 32834
#define ID_TRAY_OPTIONS 32835
#define ID_TRAY_PASTE_ACTIVATED 32882
#define ID_TRAY_CLEAR_LIST 32883
#define ID_HELP_VISIT_ONLINE 32899

// The history commands: the main menu's "&Edit" ids.
#define ID_EDIT_ACTIVATE 32816
#define ID_EDIT_PREVIEW 32808
#define ID_EDIT_EDIT 32807
#define ID_EDIT_REVERT 32885
#define ID_EDIT_BOOKMARK 32841
#define ID_EDIT_NEXT_BOOKMARK 32861
#define ID_EDIT_PREV_BOOKMARK 32860
#define ID_EDIT_CLEAR_BOOKMARKS 32850
#define ID_EDIT_REMOVE 32828
#define ID_EDIT_INVERT 32858
#define ID_EDIT_INVERT_ACTIVATE 32866
#define ID_EDIT_MAKE_OBJECT 32896
#define ID_EDIT_FROM_ID 32863
#define ID_EDIT_TO_ID 32862
#define ID_EDIT_LOWERCASE 32811
#define ID_EDIT_UPPERCASE 32809
#define ID_EDIT_TITLE 32864
#define ID_EDIT_FIND 32890
#define ID_EDIT_FIND_NEXT 32892
#define ID_EDIT_FIND_PREVIOUS 32894
// The ten date and time entries are 32794 to 32804 without 32802.

// The same commands in the context popups: "Item" ...
#define ID_ITEM_ACTIVATE 32814
#define ID_ITEM_PREVIEW 32805
#define ID_ITEM_EDIT 32806
#define ID_ITEM_REVERT 32887
#define ID_ITEM_BOOKMARK 32842
#define ID_ITEM_NEXT_BOOKMARK 32867
#define ID_ITEM_PREV_BOOKMARK 32868
#define ID_ITEM_CLEAR_BOOKMARKS 32848
#define ID_ITEM_REMOVE 32829
#define ID_ITEM_MAKE_OBJECT 32898
#define ID_ITEM_FROM_ID 32870
#define ID_ITEM_TO_ID 32869
#define ID_ITEM_LOWERCASE 32787
#define ID_ITEM_UPPERCASE 32786
#define ID_ITEM_TITLE 32871
// The ten date and time entries are 32817 to 32826.
// ... and "MultiItem" ("NoSelectedItem" uses the "Item" ids).
#define ID_MULTI_ACTIVATE 32815
#define ID_MULTI_REMOVE 32881
#define ID_MULTI_INVERT 32880
#define ID_MULTI_INVERT_ACTIVATE 32875
#define ID_MULTI_FROM_ID 32877
#define ID_MULTI_TO_ID 32876
#define ID_MULTI_LOWERCASE 32852
#define ID_MULTI_UPPERCASE 32851
#define ID_MULTI_TITLE 32878
