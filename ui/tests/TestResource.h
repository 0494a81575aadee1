#pragma once
// Resources of the ui tests.
#define IDD_TEST 100
#define IDC_TEST_EDIT 1001
#define IDC_TEST_APPEND 1003
#define IDC_TEST_LIST 1004
#define IDC_TEST_COMBO 1005

#define IDM_TEST 200
#define ID_TEST_FIRST 32814
#define ID_TEST_NESTED 32817

#define IDB_TEST_ROW 300
