#pragma once

#include "common/PraisePhraseList.h"

// The data files of a run: the settings and selection files of the data folder and the praise
// file of the working directory. Works on the ProgramState it was made for. Failures that the
// loaders do not recover from are thrown and reach the top level.
class DataStore
{
public:
    virtual ~DataStore() = default;

    // Sets DataPrefix and the settings; a missing settings file, or one whose content is wrong,
    // is recreated with the defaults.
    virtual void LoadSettings() = 0;
    virtual void SaveSettings() = 0;
    // Lists the pictures of the data folder. Returns false when there is none, after the user
    // has been told; the program must then end.
    virtual bool ListPictures() = 0;
    // Fills the deck from the selection file, rebuilding it when it is missing or stale.
    virtual void LoadSelection() = 0;
    virtual void SaveSelection() = 0;
    virtual void LoadPraisePhrases(PraisePhraseList& list) = 0;
};
