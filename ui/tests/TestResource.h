#pragma once
// Resources of the ui tests.
#define IDD_TEST 100
#define IDC_TEST_EDIT 1001
#define IDC_TEST_CHECK 1002
#define IDC_TEST_APPEND 1003
#define IDC_TEST_LIST 1004
#define IDC_TEST_COMBO 1005

#define IDM_TEST 200
#define ID_TEST_FIRST 32814
#define ID_TEST_SECOND 32842
#define ID_TEST_NESTED 32817
#define ID_TEST_OTHER 32880

#define IDB_TEST_ROW 300
#define IDB_MISSING 399
#define IDD_MISSING 199
