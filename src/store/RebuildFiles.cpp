#include "store/RebuildFiles.h"

#include "store/EngineState.h"
#include "store/RebuildSupport.h"

namespace mss::store {

RebuildFileNames RebuildNames(std::string_view baseName) {
    const detail::FileNames names = detail::MakeFileNames(baseName);
    const std::string stem = detail::BaseOf(names.data);
    return {names.data,
            names.index,
            detail::WithExtension(names.data, "SAV"),
            detail::WithExtension(names.data, "MSG"),
            stem + "-NEW.DAT",
            stem + "-NEW.IX"};
}

}  // namespace mss::store
