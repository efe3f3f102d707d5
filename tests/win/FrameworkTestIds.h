#pragma once

#define IDD_TEST_PLAIN 200
#define IDC_TEST_ONE 300
#define IDC_TEST_TWO 301
