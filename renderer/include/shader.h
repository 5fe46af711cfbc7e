/* Shader interface of the offline renderer: the types a shader library sees,
 * the per-sample state record and the services the renderer lends to shaders.
 * C-compatible; a shader library includes only this header. */
#ifndef VORLANE_RENDERER_SHADER_H
#define VORLANE_RENDERER_SHADER_H

/* MI_API marks the renderer's services. The renderer exports them; a shader
 * library normally imports them, but one that looks the services up by name at
 * run time (MI_SERVICES_BY_NAME) defines same-named local stubs instead. */
#if defined(_WIN32)
#if defined(MI_BUILDING_RENDERER)
#define MI_API __declspec(dllexport)
#elif defined(MI_SERVICES_BY_NAME)
#define MI_API
#else
#define MI_API __declspec(dllimport)
#endif
#else
#if defined(MI_BUILDING_RENDERER)
#define MI_API __attribute__((visibility("default")))
#else
#define MI_API
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef float miScalar;
typedef int miInteger;
typedef unsigned int miUint;
typedef int miBoolean;
typedef unsigned int miTag;

#define miFALSE 0
#define miTRUE 1
#define miNULLTAG 0u

typedef struct miColor {
    miScalar r, g, b, a;
} miColor;

typedef struct miVector {
    miScalar x, y, z;
} miVector;

/* Record of the shader being called. A parameter at byte offset P of the
 * parameter block is connected to another shader when the 32-bit word at
 * block + ghost_offs + P is non-zero; ghost_offs 0 means no parameter of the
 * block is connected. */
typedef struct miFunction {
    miTag function_decl;  /* declaration the shader was created from */
    miInteger ghost_offs; /* byte offset of the connection area, 0 if none */
} miFunction;

/* Per-sample state record. Shaders read it; a shader that needs to change a
 * field makes its own copy. */
typedef struct miState {
    miUint thread;        /* render thread running this sample */
    miTag instance;       /* instance hit by the ray */
    miVector point;       /* shaded point, internal space */
    miVector normal;      /* shading normal */
    miVector normal_geom; /* geometric normal */
    miVector dir;         /* incoming ray direction, toward the point, unit */
    miScalar dist;        /* ray length */
    miFunction* shader;   /* record of the shader being called */
    void* scene;          /* renderer-private: the scene the sample belongs to */
} miState;

/* Value of the connected parameter at `parm` (a pointer into the parameter
 * block) for this sample, of the parameter's own type. */
MI_API void* mi_phen_eval(miState* state, void* parm);

/* Delivers the next sample of light `light_inst`: its colour at the point, the
 * unit direction toward it and the cosine with the state's normal, and
 * advances `*samples`. Returns miFALSE when the light has no more samples. */
MI_API miBoolean mi_sample_light(miColor* result, miVector* dir, miScalar* dot_nl, miState* state,
                                 miTag light_inst, miInteger* samples);

/* Indirect irradiance arriving at the state's point, about its normal. */
MI_API miBoolean mi_compute_irradiance(miColor* result, miState* state);

#ifdef __cplusplus
}
#endif

#endif /* VORLANE_RENDERER_SHADER_H */
