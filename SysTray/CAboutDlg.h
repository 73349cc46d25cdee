// Classes in this file:
//   CAboutDlg - the tray program's About box (dialog template 100), closed with OK.
#pragma once

#include "CDialog.h"
#include "SysTrayResource.h"

class CAboutDlg : public CDialog
{
public:
    explicit CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}
};
