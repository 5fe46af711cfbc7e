// The preset fields of the node's enumeration, from the model's table.
#include <vorlane/linux_symbol_versions.h>

#include "vorlaneShading.h"

namespace vorlane_shading {

int presetFieldCount() {
    return vorlane_model::kPresetCount;
}

const char* presetFieldName(int position) {
    return vorlane_model::presetDeclarationOrder()[position].name;
}

short presetFieldValue(int position) {
    return vorlane_model::presetDeclarationOrder()[position].index;
}

}  // namespace vorlane_shading
