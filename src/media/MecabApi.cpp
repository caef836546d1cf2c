#include "media/MecabApi.h"

#include "media/SharedLibrary.h"

const MecabApi* MecabApi::get()
{
    static const MecabApi* const api = []() -> const MecabApi* {
        static const SharedLibrary library("libmecab.so.2");
        static MecabApi functions {};
        const bool complete = library.loaded() && library.bind(functions.New2, "mecab_new2")
            && library.bind(functions.Destroy, "mecab_destroy")
            && library.bind(functions.SparseToNode2, "mecab_sparse_tonode2");
        return complete ? &functions : nullptr;
    }();
    return api;
}
