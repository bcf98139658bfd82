#include "profile/DocumentTypes.h"

#include "profile/BatchFormat.h"
#include "profile/ProfileFormat.h"

#include <string>

std::vector<platform::cDocumentType> DocumentTypes() {
    return {
        {"application/x-tolvan-profile", "Tolvan Profile", "tvp", std::string(kProfileMagic)},
        {"application/x-tolvan-batch", "Tolvan Batch File", "tvb", std::string(kBatchMagic)},
    };
}
