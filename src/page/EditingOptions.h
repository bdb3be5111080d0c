#pragma once

// The editing options of the run: they live in memory only and start from these defaults.
struct EditingOptions
{
    bool filterDTCs = true;
    bool filterServerScript = true;
    bool filterSourceFormatting = true;
    bool showDetails = false;
    bool showBorders = true;
    bool autoSaveMetafiles = true;
    bool activateDTCs = false;
    bool activateActiveX = false;
    bool activateApplets = false;
};

// The value handed to the component's source filter: 1 when no filter option is on, otherwise
// 2 for FilterDTCs + 8 for FilterServerScript + 16 for FilterSourceFormatting.
int FilterFlags(const EditingOptions &options);
