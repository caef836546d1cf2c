#pragma once

#include "data/DataFileError.h"

#include <gtest/gtest.h>

// The kind of DataFileError that action throws; a test failure when it throws none.
template<class Action> DataFileError::Kind failureKind(Action action)
{
    try {
        action();
    } catch (const DataFileError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no DataFileError";
    return DataFileError::Kind::Open;
}
