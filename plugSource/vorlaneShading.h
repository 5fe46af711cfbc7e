// The node's bridge to the reflectance model. The model's namespace shares its
// top-level name with the node class `vorlane`, so no file sees both: the node
// calls the model only through these functions, on plain float triples.
#pragma once

namespace vorlane_shading {

// `point` scaled to unit length by the host node's rule.
void normalizeView(const float point[3], float view[3]);

// Adds the three lobes of preset `preset` for one light to `sum`: the normal
// and the light direction are normalised here, `weight` is the unnormalised
// cosine weight. A preset outside the table adds nothing.
void accumulateSpecular(short preset, const float normal[3], const float view[3],
                        const float direction[3], const float intensity[3], float weight,
                        float sum[3]);

// The colour matrix applied to `color`, in place.
void applyColorMatrix(float color[3]);

// The preset fields in their order of declaration.
int presetFieldCount();
const char* presetFieldName(int position);
short presetFieldValue(int position);

}  // namespace vorlane_shading
