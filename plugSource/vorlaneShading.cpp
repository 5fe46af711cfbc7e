// The preset fields of the node's enumeration, from the model's table.
#include "vorlaneShading.h"

namespace vorlane_shading {

int presetFieldCount() {
    return static_cast<int>(vorlane_model::presetDeclarationOrder().size());
}

const char* presetFieldName(int position) {
    return vorlane_model::presetDeclarationOrder()[static_cast<std::size_t>(position)].name;
}

short presetFieldValue(int position) {
    return vorlane_model::presetDeclarationOrder()[static_cast<std::size_t>(position)].index;
}

}  // namespace vorlane_shading
