// The converter's figure: ProfileConverter's run on an old tree of 20 profiles and 50
// macros against reading the tree's values and writing the registry keys and values it
// wrote, bare.
#pragma once

#include "CString.h"

struct ConverterTimes
{
    double converterMs = 0;
    // The old tree's values read bare with the profile-string functions (as the converter
    // reads them), then the registry keys and values written bare.
    double bareMs = 0;
    int iniReads = 0;
    // Registry keys and values the converter wrote, made again by the bare write.
    int keys = 0;
    int values = 0;
};

// programFolder holds the key data files; dataFolder the old tree. False when the
// converter did not convert or the bare write failed.
bool MeasureConverter(const CString& programFolder, const CString& dataFolder, ConverterTimes& times);
