// Resource ids and command ids of the tray program.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_DASKSYSTRAY_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_TRAYMENU 129
#define IDI_TRAYICON 131
#define IDC_ABOUT_VERSION 1001
#define IDC_ABOUT_COPYRIGHT 1002

// The system menu's About item.
#define IDM_ABOUTBOX 0x0010
// The menu's first item: open the configuration program.
#define ID_LOAD_VELMORA 32770
