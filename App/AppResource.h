// Resource numbers of the configuration program.
#pragma once

// A blank borderless popup: the warning popups and the list panels.
#define IDD_VELMORA_POPUP 5
// The main window, of the single-instance window class.
#define IDD_VELMORA_MAIN 102
// The entry popups (names, repeat counts, keys).
#define IDD_VELMORA_ENTRY 131
// The profile preview.
#define IDD_VELMORA_PREVIEW 136
#define IDI_VELMORA 134
