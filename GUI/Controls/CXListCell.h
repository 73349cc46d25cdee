// Classes in this file:
//   CXListCell - one cell of a row of the multi-column list: its text, look, check state and
//                drop-down strings. A row is an array of cells, one per column position;
//                the first cell also carries the row's key, colours and enabled state.
#pragma once

#include "CString.h"

#include <windows.h>

#include <vector>

class CXListCell
{
public:
    // Data members
    CString m_text;
    // The first cell's value governs clicks on the row.
    bool m_enabled = true;
    bool m_bold = false;
    bool m_combo = false;
    bool m_comboButtonPressed = false;
    std::vector<CString> m_comboStrings;
    int m_comboListHeight = 10;
    int m_comboInitialSelection = 0;
    // The first cell's four colours are the row's; they count once m_ownColours is set.
    bool m_ownColours = false;
    COLORREF m_textColour = 0xFFFFFF;
    COLORREF m_backColour = 0;
    COLORREF m_selectedTextColour = 0;
    COLORREF m_selectedBackColour = 0xFFFFFF;
    // -1: no check box, 0 unchecked, 1 checked.
    int m_checkState = -1;
    // Kept in the first cell.
    int m_rowKey = -1;
    LPARAM m_itemData = 0;
};

// The cells of one row, one per column position.
using CXListRow = std::vector<CXListCell>;
