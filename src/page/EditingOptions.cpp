#include "page/EditingOptions.h"

int FilterFlags(const EditingOptions &options)
{
    if (!options.filterDTCs && !options.filterServerScript && !options.filterSourceFormatting)
        return 1;
    return (options.filterDTCs ? 2 : 0) + (options.filterServerScript ? 8 : 0) +
           (options.filterSourceFormatting ? 16 : 0);
}
