#pragma once

#include <mecab.h>

// The part of MeCab's C interface the program uses, loaded on first use (on the speech thread).
struct MecabApi
{
    decltype(&mecab_new2) New2;
    decltype(&mecab_destroy) Destroy;
    decltype(&mecab_sparse_tonode2) SparseToNode2;

    // Null when MeCab cannot be loaded.
    static const MecabApi* get();
};
