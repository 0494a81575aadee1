#pragma once
// Resources of the ui tests.
#define IDD_TEST 100
#define IDC_TEST_EDIT 1001
#define IDC_TEST_APPEND 1003
