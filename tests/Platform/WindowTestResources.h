// Resource ids of the windowed tests' dialog templates.
#pragma once

#define IDD_TEST_DIALOG 100
#define IDD_TEST_PRIVATE_CLASS 101
#define IDC_TEST_EDIT 1001

#define TEST_PRIVATE_DIALOG_CLASS L"VelmoraTestDialogClass"
