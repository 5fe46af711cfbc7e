// The node's bridge to the reflectance model: compute and initialize call the
// model through these functions, on plain float triples, so the node's own
// files deal only in the host's types.
#pragma once

namespace vorlane_shading {

// `point` scaled to unit length by the host node's rule.
void normalizeView(const float point[3], float view[3]);

// What the specular term of every light of one sample shares: the preset's
// coefficients and the shading frame of the normalised normal. The frame
// depends on the normal alone, so building it once per sample gives the same
// bits as building it for every light.
struct SpecularSurface {
    const void* lobes;  // the preset's coefficient block; null outside the table
    float tangent[3];
    float bitangent[3];
    float normal[3];
};

// Selects preset `preset` and builds the frame of `normal` (unnormalised).
void prepareSpecular(short preset, const float normal[3], SpecularSurface& surface);

// Adds the three lobes of one light to `sum`: the light direction is
// normalised here, `weight` is the unnormalised cosine weight. A surface
// without a preset adds nothing.
void accumulateSpecular(const SpecularSurface& surface, const float view[3],
                        const float direction[3], const float intensity[3], float weight,
                        float sum[3]);

// The colour matrix applied to `color`, in place.
void applyColorMatrix(float color[3]);

// The preset fields in their order of declaration.
int presetFieldCount();
const char* presetFieldName(int position);
short presetFieldValue(int position);

}  // namespace vorlane_shading
