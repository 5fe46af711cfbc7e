/* Shader interface of the offline renderer (versions 3.3 to 3.5): the types a
 * shader library sees, the per-sample state record, the record of the shader
 * being called and the services the renderer lends to shaders. C-compatible;
 * a shader library includes only this header. The records are laid out
 * exactly as the renderer lays them out on 64-bit Linux and Windows; the
 * assertions at the end hold every field to its offset. */
#ifndef VORLANE_RENDERER_SHADER_H
#define VORLANE_RENDERER_SHADER_H

#include <stddef.h>

/* Marks a shader library's exports. */
#if defined(_WIN32)
#define DLLEXPORT __declspec(dllexport)
#else
#define DLLEXPORT
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

/* Record of the shader being called. A parameter at address p of the
 * parameter block is connected to another shader when the 32-bit tag at
 * p + ghost_offs is non-zero; ghost_offs 0 means no parameter is connected.
 * Shaders read their parameters through mi_eval, below, which applies this. */
typedef struct miFunction {
    void* renderer_private[7];
    int type;                 /* kind of shader */
    miUint out_typemap;       /* result types */
    miUint out_interpmap;     /* result interpolation */
    miTag function_decl;      /* declaration the shader was created from */
    miTag next_function;      /* next shader of a shader list */
    miTag parameter_indirect; /* parameter block, when not stored inline */
    miTag interfacephen;      /* phenomenon interface the shader belongs to */
    miBoolean spare0;
    int parameter_size; /* bytes of the parameter block */
    int result_size;    /* bytes of the result */
    int ghost_offs;     /* offset of the connection tags, 0 if none */
    miTag pass_read;
    miTag pass_write;
    unsigned char flags[12]; /* small flags and spares */
    char parameters[8];      /* the parameter block when stored inline; runs on */
} miFunction;

/* Per-sample state record. Shaders read it; a shader that needs to change a
 * field makes its own copy of the whole record. */
typedef struct miState {
    int version;         /* 2 for this record */
    miTag camera_inst;   /* camera instance */
    void* camera;        /* camera record */
    void* options;       /* render options */
    void* global_lock;   /* lock shared by all shaders */
    miUint qmc_instance; /* quasi-Monte Carlo instance */
    void* ts;            /* renderer's state of the rendering thread */
    float raster_x;      /* raster position of the sample */
    float raster_y;
    struct miState* parent;      /* state of the parent ray */
    int type;                    /* ray type */
    unsigned char qmc_component; /* next free quasi-Monte Carlo component */
    unsigned char scanline;      /* sample from the scanline pass */
    unsigned char inv_normal;    /* normals are inverted */
    char face;                   /* faces rendered */
    void* spare0;
    void* cache;             /* renderer's ray cache */
    int reflection_level;    /* reflection depth */
    int refraction_level;    /* refraction depth */
    miVector org;            /* ray origin */
    miVector dir;            /* ray direction, toward the point, unit */
    double dist;             /* ray length */
    float time;              /* shutter time of the sample */
    miScalar ior;            /* index of refraction beyond the surface */
    miScalar ior_in;         /* index of refraction before the surface */
    miTag material;          /* material of the hit object */
    miTag volume;            /* volume shader */
    miTag environment;       /* environment shader */
    miTag refraction_volume; /* volume shader after refraction */
    miUint label;            /* label of the hit object */
    miTag instance;          /* instance hit by the ray */
    miTag light_instance;    /* light instance, in light shaders */
    void* pri;               /* hit primitive */
    int pri_idx;             /* index of the hit primitive */
    float bary[4];           /* barycentric coordinates of the hit */
    miVector point;          /* shaded point, internal space */
    miVector normal;         /* shading normal */
    miVector normal_geom;    /* geometric normal */
    miScalar dot_nd;         /* cosine of normal and dir */
    double shadow_tol;       /* shadow ray tolerance */
    void* tex_list;          /* texture coordinates */
    void* bump_x_list;       /* bump basis vectors */
    void* bump_y_list;
    miVector motion;       /* motion vector */
    void* derivs;          /* surface derivatives */
    miVector tex;          /* texture coordinates of the sample */
    miFunction* shader;    /* record of the shader being called */
    struct miState* child; /* state of the child ray */
    short thread;          /* render thread running this sample */
    unsigned short count;  /* shader call counter */
    void* user;            /* shaders' own data, passed to the shaders they call */
    int user_size;         /* bytes at user */
} miState;

/* Value of the connected parameter at `parm` (a pointer into the parameter
 * block) for this sample, of the parameter's own type. */
void* mi_phen_eval(miState* state, void* parm);

/* Delivers the next sample of light `light_inst`: its colour at the point, the
 * unit direction toward it and the cosine with the state's normal, and
 * advances `*samples`. Returns miFALSE when the light has no more samples. */
miBoolean mi_sample_light(miColor* result, miVector* dir, miScalar* dot_nl, miState* state,
                          miTag light_inst, miInteger* samples);

/* Indirect irradiance arriving at the state's point, about its normal. */
miBoolean mi_compute_irradiance(miColor* result, miState* state);

/* Where the value of the parameter at `p` (a pointer into the parameter block
 * of the shader being called) lies for this sample: at `p` itself, unless the
 * shader record has connection tags (ghost_offs not 0) and the tag ghost_offs
 * bytes past `p` is not null; then the parameter is connected and
 * mi_phen_eval yields its value. */
#define mi_eval(s, p)                                                                             \
    ((s)->shader->ghost_offs == 0 || *(miTag*)((char*)(p) + (s)->shader->ghost_offs) == miNULLTAG \
         ? (void*)(p)                                                                             \
         : mi_phen_eval((s), (void*)(p)))

/* The typed forms, for a shader whose state parameter is named `state`. */
#define mi_eval_boolean(p) ((miBoolean*)mi_eval(state, (p)))
#define mi_eval_integer(p) ((miInteger*)mi_eval(state, (p)))
#define mi_eval_scalar(p) ((miScalar*)mi_eval(state, (p)))
#define mi_eval_vector(p) ((miVector*)mi_eval(state, (p)))
#define mi_eval_color(p) ((miColor*)mi_eval(state, (p)))
#define mi_eval_tag(p) ((miTag*)mi_eval(state, (p)))

#ifdef __cplusplus
}
#endif

/* The layout on 64-bit Linux and 64-bit Windows, checked wherever the header
 * is compiled: a check that fails declares an array of negative size, which C
 * and every C++ dialect reject alike, and the error names the field. */
#define MI_SIZE_CHECK(record, size) \
    typedef char mi_size_of_##record[sizeof(record) == (size) ? 1 : -1]
#define MI_LAYOUT_CHECK(record, field, offset) \
    typedef char mi_offset_of_##record##_##field[offsetof(record, field) == (offset) ? 1 : -1]
MI_SIZE_CHECK(miColor, 16);
MI_SIZE_CHECK(miVector, 12);
MI_SIZE_CHECK(miBoolean, 4);
MI_SIZE_CHECK(miTag, 4);

MI_SIZE_CHECK(miFunction, 128);
MI_LAYOUT_CHECK(miFunction, type, 56);
MI_LAYOUT_CHECK(miFunction, out_typemap, 60);
MI_LAYOUT_CHECK(miFunction, out_interpmap, 64);
MI_LAYOUT_CHECK(miFunction, function_decl, 68);
MI_LAYOUT_CHECK(miFunction, next_function, 72);
MI_LAYOUT_CHECK(miFunction, parameter_indirect, 76);
MI_LAYOUT_CHECK(miFunction, interfacephen, 80);
MI_LAYOUT_CHECK(miFunction, spare0, 84);
MI_LAYOUT_CHECK(miFunction, parameter_size, 88);
MI_LAYOUT_CHECK(miFunction, result_size, 92);
MI_LAYOUT_CHECK(miFunction, ghost_offs, 96);
MI_LAYOUT_CHECK(miFunction, pass_read, 100);
MI_LAYOUT_CHECK(miFunction, pass_write, 104);
MI_LAYOUT_CHECK(miFunction, flags, 108);
MI_LAYOUT_CHECK(miFunction, parameters, 120);

MI_SIZE_CHECK(miState, 352);
MI_LAYOUT_CHECK(miState, version, 0);
MI_LAYOUT_CHECK(miState, camera_inst, 4);
MI_LAYOUT_CHECK(miState, camera, 8);
MI_LAYOUT_CHECK(miState, options, 16);
MI_LAYOUT_CHECK(miState, global_lock, 24);
MI_LAYOUT_CHECK(miState, qmc_instance, 32);
MI_LAYOUT_CHECK(miState, ts, 40);
MI_LAYOUT_CHECK(miState, raster_x, 48);
MI_LAYOUT_CHECK(miState, raster_y, 52);
MI_LAYOUT_CHECK(miState, parent, 56);
MI_LAYOUT_CHECK(miState, type, 64);
MI_LAYOUT_CHECK(miState, qmc_component, 68);
MI_LAYOUT_CHECK(miState, scanline, 69);
MI_LAYOUT_CHECK(miState, inv_normal, 70);
MI_LAYOUT_CHECK(miState, face, 71);
MI_LAYOUT_CHECK(miState, spare0, 72);
MI_LAYOUT_CHECK(miState, cache, 80);
MI_LAYOUT_CHECK(miState, reflection_level, 88);
MI_LAYOUT_CHECK(miState, refraction_level, 92);
MI_LAYOUT_CHECK(miState, org, 96);
MI_LAYOUT_CHECK(miState, dir, 108);
MI_LAYOUT_CHECK(miState, dist, 120);
MI_LAYOUT_CHECK(miState, time, 128);
MI_LAYOUT_CHECK(miState, ior, 132);
MI_LAYOUT_CHECK(miState, ior_in, 136);
MI_LAYOUT_CHECK(miState, material, 140);
MI_LAYOUT_CHECK(miState, volume, 144);
MI_LAYOUT_CHECK(miState, environment, 148);
MI_LAYOUT_CHECK(miState, refraction_volume, 152);
MI_LAYOUT_CHECK(miState, label, 156);
MI_LAYOUT_CHECK(miState, instance, 160);
MI_LAYOUT_CHECK(miState, light_instance, 164);
MI_LAYOUT_CHECK(miState, pri, 168);
MI_LAYOUT_CHECK(miState, pri_idx, 176);
MI_LAYOUT_CHECK(miState, bary, 180);
MI_LAYOUT_CHECK(miState, point, 196);
MI_LAYOUT_CHECK(miState, normal, 208);
MI_LAYOUT_CHECK(miState, normal_geom, 220);
MI_LAYOUT_CHECK(miState, dot_nd, 232);
MI_LAYOUT_CHECK(miState, shadow_tol, 240);
MI_LAYOUT_CHECK(miState, tex_list, 248);
MI_LAYOUT_CHECK(miState, bump_x_list, 256);
MI_LAYOUT_CHECK(miState, bump_y_list, 264);
MI_LAYOUT_CHECK(miState, motion, 272);
MI_LAYOUT_CHECK(miState, derivs, 288);
MI_LAYOUT_CHECK(miState, tex, 296);
MI_LAYOUT_CHECK(miState, shader, 312);
MI_LAYOUT_CHECK(miState, child, 320);
MI_LAYOUT_CHECK(miState, thread, 328);
MI_LAYOUT_CHECK(miState, count, 330);
MI_LAYOUT_CHECK(miState, user, 336);
MI_LAYOUT_CHECK(miState, user_size, 344);
#undef MI_SIZE_CHECK
#undef MI_LAYOUT_CHECK

#endif /* VORLANE_RENDERER_SHADER_H */
